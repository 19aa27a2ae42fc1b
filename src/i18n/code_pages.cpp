#include "i18n/code_pages.h"

#include "design/number_format.h"
#include "i18n/dd_types.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <map>
#include <mutex>

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
    const QByteArray name = codecNameForCodePage(codePage);
    if (name.isEmpty())
        throwUnsupported(codePage);
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray encodeToCodePage(const QString& text, int codePage) {
    const QByteArray name = codecNameForCodePage(codePage);
    if (name.isEmpty())
        throwUnsupported(codePage);
    QStringEncoder encoder(name.constData(), QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

int ansiCodePageFor(const QString& codePage) {
    try {
        const int number = codePageNumber(codePage);
        if (!codecNameForCodePage(number).isEmpty())
            return number;
    } catch (const EMultiDD&) {
        // Not a number: the stand-in for the system code page applies.
    }
    return kFallbackAnsiCodePage;
}

} // namespace tarvel
