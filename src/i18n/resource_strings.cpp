#include "i18n/resource_strings.h"

namespace tarvel {

ResourceTranslator& ResourceTranslator::instance() {
    static ResourceTranslator translator;
    return translator;
}

void ResourceTranslator::setDefaultReplaceOption(const ResourceReplaceOption& option) {
    std::lock_guard lock(m_mutex);
    m_option = option;
}

ResourceReplaceOption ResourceTranslator::defaultReplaceOption() const {
    std::lock_guard lock(m_mutex);
    return m_option;
}

void ResourceTranslator::switchOn() {
    std::lock_guard lock(m_mutex);
    m_on = true;
}

void ResourceTranslator::switchOff() {
    std::lock_guard lock(m_mutex);
    m_on = false;
}

bool ResourceTranslator::isOn() const {
    std::lock_guard lock(m_mutex);
    return m_on;
}

void ResourceTranslator::setLookup(Lookup lookup) {
    std::lock_guard lock(m_mutex);
    m_lookup = std::move(lookup);
}

QString ResourceTranslator::translate(const QString& text) const {
    Lookup lookup;
    ResourceReplaceOption option;
    {
        std::lock_guard lock(m_mutex);
        if (!m_on || !m_lookup || text.isEmpty())
            return text;
        lookup = m_lookup;
        option = m_option;
    }
    try {
        return lookup(option, text);
    } catch (...) {
        // A dictionary that cannot answer leaves the program's own text in place.
        return text;
    }
}

QString res(const char* text) {
    return ResourceTranslator::instance().translate(QString::fromUtf8(text));
}

} // namespace tarvel
