#include "i18n/text_replacer.h"

#include "i18n/class_hooks.h"
#include "i18n/code_pages.h"
#include "i18n/dd_events.h"
#include "i18n/multi_dd.h"
#include "i18n/replace_property.h"

#include <QDialog>
#include <QMainWindow>
#include <QWidget>

namespace tarvel {
namespace {

bool isForm(const QObject* object) {
    return qobject_cast<const QMainWindow*>(object) || qobject_cast<const QDialog*>(object);
}

// A control is replaced only inside a form (or when it is the form).
bool standsInAForm(const QWidget* control) {
    if (isForm(control))
        return true;
    for (const QWidget* p = control->parentWidget(); p; p = p->parentWidget())
        if (isForm(p))
            return true;
    return false;
}

QString componentName(const QObject* component) {
    return component->objectName().isEmpty() ? QString::fromLatin1(component->metaObject()->className())
                                             : component->objectName();
}

TDDReplaceInfo replaceInfo(const TMultiReplaceOption& option) {
    return {option.CodePage(), option.SeqNo, option.ReplaceFont ? 1 : 0,
            option.ReplaceFont ? QVariant::fromValue(option.Font) : QVariant()};
}

} // namespace

void TCustomMultiReplaceOption::setCodePage(const QString& codePage) {
    if (!m_systemCodePage)
        m_codePage = codePage;
}

void TCustomMultiReplaceOption::setSystemCodePage(bool on) {
    if (on)
        m_codePage = QString::number(ansiCodePageFor(QString()));
    m_systemCodePage = on;
}

void useStoredFormOptions(TAcroMultiReplacer& replacer) {
    TMultiReplaceOption& option = replacer.OwnerOption();
    option.DDName = QStringLiteral("DD_Resource");
    option.SeqNo = QStringLiteral("0");
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    option.Font = font;
}

TAcroMultiReplacer::TAcroMultiReplacer(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("LangReplacer"));
    registerStandardClassHooks();
}

bool TAcroMultiReplacer::listed(const QObject* component) const {
    for (const TReplaceCom& item : m_replaceComs)
        if (item.Component == component)
            return true;
    return false;
}

void TAcroMultiReplacer::addReplaceCom(QObject* component, bool useOwnerReplaceOption,
                                       const TMultiReplaceOption& option) {
    if (component) {
        if (isExcluded(component))
            throw ReplacerError(QStringLiteral("component: \"%1\" already added in unreplace list.")
                                    .arg(componentName(component))
                                    .toStdString());
        if (listed(component))
            throw ReplacerError(QStringLiteral("component: \"%1\" already added.")
                                    .arg(componentName(component))
                                    .toStdString());
    }
    m_replaceComs.append({component, option, useOwnerReplaceOption});
}

void TAcroMultiReplacer::addUnReplaceCom(QObject* component) {
    if (!component)
        return;
    if (listed(component))
        throw ReplacerError(QStringLiteral("component: \"%1\" already added in replace list.")
                                .arg(componentName(component))
                                .toStdString());
    if (isExcluded(component))
        throw ReplacerError(
            QStringLiteral("component: \"%1\" already added.").arg(componentName(component)).toStdString());
    m_unReplaceComs.append({component});
}

bool TAcroMultiReplacer::isExcluded(const QObject* object) const {
    if (!object)
        return true;
    for (const TUnReplaceCom& item : m_unReplaceComs)
        if (item.Component == object)
            return true;
    return false;
}

void TAcroMultiReplacer::Replace() {
    if (OnBeforeReplace)
        OnBeforeReplace(this);
    for (const TReplaceCom& item : m_replaceComs) {
        const TMultiReplaceOption& option = item.UseOwnerReplaceOption ? m_ownerOption : item.ReplaceOption;
        if (item.Component && option.ReplaceSelf) {
            if (TCustomMultiDD* dictionary = TAcroMultiDDStorage::instance().FindDD(option.DDName))
                ReplaceObject(item.Component, option, dictionary);
        }
    }
    for (const TReplaceCom& item : m_replaceComs) {
        const TMultiReplaceOption& option = item.UseOwnerReplaceOption ? m_ownerOption : item.ReplaceOption;
        if (item.Component)
            replaceWith(item.Component, option, false);
    }
    if (QObject* form = parent())
        replaceWith(form, m_ownerOption, true);
    if (OnAfterReplaced)
        OnAfterReplaced(this);
}

void TAcroMultiReplacer::replaceWith(QObject* component, const TMultiReplaceOption& option, bool self) {
    TCustomMultiDD* dictionary = TAcroMultiDDStorage::instance().FindDD(option.DDName);
    if (!dictionary)
        return; // an option naming no dictionary does nothing
    if (self && option.ReplaceSelf)
        ReplaceObject(component, option, dictionary);
    if (option.ReplaceOwned)
        walkOwned(component, option, dictionary);
    if (option.ReplaceSon && component->isWidgetType())
        walkChildren(component, option, dictionary);
}

void TAcroMultiReplacer::walkOwned(QObject* object, const TMultiReplaceOption& option,
                                   TCustomMultiDD* dictionary) {
    const QObjectList owned = object->children();
    for (QObject* child : owned) {
        if (isExcluded(child) || child == this)
            continue;
        ReplaceObject(child, option, dictionary);
        walkOwned(child, option, dictionary);
    }
}

void TAcroMultiReplacer::walkChildren(QObject* object, const TMultiReplaceOption& option,
                                      TCustomMultiDD* dictionary) {
    const QObjectList children = object->children();
    for (QObject* child : children) {
        if (!child->isWidgetType() || isExcluded(child))
            continue;
        ReplaceObject(child, option, dictionary);
        walkChildren(child, option, dictionary);
    }
}

void TAcroMultiReplacer::ReplaceObject(QObject* object, const TMultiReplaceOption& option,
                                       TCustomMultiDD* dictionary) {
    if (!object || isExcluded(object))
        return;
    TAcroMultiDDStorage& storage = TAcroMultiDDStorage::instance();
    if (IsCheckDuplicateReplace && storage.IsReplaced(object))
        return;
    if (!storage.IsReplaced(object)) {
        // The identity leaves the list with its object, so a later object at the same address is new.
        QObject::connect(object, &QObject::destroyed, [object] {
            TAcroMultiDDStorage& list = TAcroMultiDDStorage::instance();
            while (list.IsReplaced(object))
                list.RemoveReplaced(object);
        });
    }
    storage.AddReplaced(object);
    if (auto* control = qobject_cast<QWidget*>(object)) {
        if (!standsInAForm(control))
            return;
        // Hints are looked up by their current text.
        if (!control->toolTip().isEmpty())
            control->setToolTip(lookupText(dictionary, control->toolTip(), option.CodePage(), option.SeqNo));
        if (option.ReplaceFont)
            control->setFont(option.Font);
    }
    const std::optional<TClassReplaceProc> hook =
        TMultiClassMethodStorage::instance().find(object->metaObject());
    if (!hook) {
        TAcroMultiDDEvents::RaiseNotFoundNearstClassMethod(dictionary, object->metaObject());
        return;
    }
    if (!*hook)
        return;
    const TDDReplaceInfo info = replaceInfo(option);
    if (!TAcroMultiDDEvents::RaiseBeforeReplaceComponent(dictionary, object, info))
        return;
    (*hook)(dictionary, object, option.CodePage(), option.SeqNo);
    TAcroMultiDDEvents::RaiseAfterReplaceComponent(dictionary, object, info);
}

} // namespace tarvel
