// The design-file reader: any input is either refused with DesignFileError or gives a design within
// the documented ranges that writes and reads back unchanged.
#include "fuzz_support.h"

#include "design/design_file.h"

#include <algorithm>

namespace tarvel::fuzz {
namespace {

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}

void checkRanges(const DesignFile& design) {
    require(within(design.maxModuleTemp, -10, 80) && within(design.minModuleTemp, -40, 20) &&
                within(design.designTemp, 0, 70),
            "temperatures within their ranges");
    require(within(design.roofPitch, 0, 89) && within(design.azimuth, -91, 89), "orientation within range");
    for (const DesignFile::StringInput& input : design.inputs)
        require(within(input.strings, 0, 600) && within(input.modulesPerString, 0, 200),
                "string counts within range");
    for (const DesignFile::Cable& cable : design.cables) {
        require(cable.material == QLatin1String("Cu") || cable.material == QLatin1String("Al"),
                "cable material is Cu or Al");
        require(within(cable.lengthM, 1, 10000), "cable length within range");
        require(std::any_of(kCrossSections.begin(), kCrossSections.end(),
                            [&](const char* s) { return cable.crossSection == QLatin1String(s); }),
                "cable cross-section is one the chooser lists");
    }
}

} // namespace
} // namespace tarvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    using namespace tarvel::fuzz;
    DesignFile design;
    try {
        design = readDesignFile(bytesOf(data, size));
    } catch (const DesignFileError& error) {
        require(*error.what() != '\0', "a refusal says why");
        return 0;
    }
    checkRanges(design);
    try {
        require(readDesignFile(writeDesignFile(design)) == design, "a design writes and reads back unchanged");
    } catch (const DesignFileError&) {
        fail("a design the program wrote is refused");
    }
    return 0;
}
