#include "i18n/text_replacer.h"

namespace tarvel {

TAcroMultiReplacer::TAcroMultiReplacer(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("LangReplacer"));
}

void TAcroMultiReplacer::Replace() {}

} // namespace tarvel
