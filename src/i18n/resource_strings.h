#pragma once

#include <QString>

#include <functional>
#include <mutex>

namespace tarvel {

// Which dictionary entries a translation uses: the dictionary's name, the code page as decimal text
// ("936", "1252") and the sequence number.
struct ResourceReplaceOption {
    QString DDName;
    QString CodePage;
    QString SeqNo;
};

// The process-wide translator of the program's resource strings. While it is switched on, every
// resource text is looked up in the dictionary for its option's code page; a text without an entry,
// and any failure of the lookup, gives the text unchanged.
class ResourceTranslator {
public:
    using Lookup = std::function<QString(const ResourceReplaceOption&, const QString&)>;

    static ResourceTranslator& instance();

    void setDefaultReplaceOption(const ResourceReplaceOption& option);
    ResourceReplaceOption defaultReplaceOption() const;
    void switchOn();
    void switchOff();
    bool isOn() const;
    // The dictionary lookup used while switched on; none means texts pass unchanged.
    void setLookup(Lookup lookup);

    QString translate(const QString& text) const;

private:
    mutable std::mutex m_mutex;
    ResourceReplaceOption m_option;
    Lookup m_lookup;
    bool m_on = false;
};

// The one function through which every resource text of the program is loaded.
QString res(const char* text);

} // namespace tarvel
