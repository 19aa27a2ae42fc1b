#include "i18n/code_pages.h"

#include "design/number_format.h"
#include "i18n/dd_types.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <map>
#include <mutex>
#include <unordered_map>

namespace tarvel {

namespace {

constexpr int kFallbackAnsiCodePage = 1252;

QByteArray lookUpCodecName(int codePage) {
    if (codePage == 936)
        return "GBK";
    if (codePage == 1252)
        return "windows-1252";
    for (const char* prefix : {"windows-", "IBM-"}) {
        const QByteArray name = prefix + QByteArray::number(codePage);
        if (QStringDecoder(name.constData()).isValid())
            return name;
    }
    return {};
}

[[noreturn]] void throwUnsupported(int codePage) {
    throw EMultiDD(QStringLiteral("code page %1 is not supported").arg(codePage));
}

// Opening a converter by name costs many times more than converting a caption, and every text the
// interface shows is converted. Each thread keeps one converter per code page; being stateless, a
// converter gives the same bytes whether it is new or has converted before. Converters are built in
// place and never moved: the conversion library keeps the address of the converter's state.
template <typename Converter> Converter& converterFor(int codePage) {
    thread_local std::unordered_map<int, Converter> converters;
    auto it = converters.find(codePage);
    if (it == converters.end()) {
        const QByteArray name = codecNameForCodePage(codePage);
        if (name.isEmpty())
            throwUnsupported(codePage);
        it = converters.try_emplace(codePage, name.constData(), QStringConverter::Flag::Stateless).first;
    }
    return it->second;
}

} // namespace

QByteArray codecNameForCodePage(int codePage) {
    // Asking the converter library whether a name exists costs more than a conversion; the answers
    // never change during a run.
    static std::mutex mutex;
    static std::map<int, QByteArray> known;
    std::lock_guard lock(mutex);
    auto it = known.find(codePage);
    if (it == known.end())
        it = known.emplace(codePage, lookUpCodecName(codePage)).first;
    return it->second;
}

int codePageNumber(const QString& text) {
    try {
        return textToInt(text);
    } catch (const ConversionError& error) {
        throw EMultiDD(QString::fromUtf8(error.what()));
    }
}

QString decodeFromCodePage(const QByteArray& bytes, int codePage) {
    return converterFor<QStringDecoder>(codePage).decode(bytes);
}

QByteArray encodeToCodePage(const QString& text, int codePage) {
    return converterFor<QStringEncoder>(codePage).encode(text);
}

int ansiCodePageFor(const QString& codePage) {
    // Not a number (an empty CodePage among them, as in every first pass of a replacer): the
    // stand-in for the system code page applies.
    const std::optional<int> number = parseInt(codePage);
    if (number && !codecNameForCodePage(*number).isEmpty())
        return *number;
    return kFallbackAnsiCodePage;
}

} // namespace tarvel
