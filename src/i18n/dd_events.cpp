#include "i18n/dd_events.h"

#include <QPointer>

#include <algorithm>
#include <mutex>
#include <vector>

namespace tarvel {

namespace {

struct EventsList {
    std::mutex mutex;
    std::vector<TAcroMultiDDEvents*> components;
};

EventsList& eventsList() {
    // Never destroyed: events components owned by long-lived objects leave it during shutdown.
    static auto* list = new EventsList;
    return *list;
}

// The components as guarded pointers, so a listener that destroys a component (its own included)
// does not leave the round holding a dangling one.
QList<QPointer<TAcroMultiDDEvents>> snapshot() {
    EventsList& list = eventsList();
    std::lock_guard lock(list.mutex);
    QList<QPointer<TAcroMultiDDEvents>> components;
    components.reserve(static_cast<qsizetype>(list.components.size()));
    for (TAcroMultiDDEvents* component : list.components)
        components.append(component);
    return components;
}

template <class Handler, class... Args> void offerToAll(Handler TAcroMultiDDEvents::*event, Args&&... args) {
    for (const QPointer<TAcroMultiDDEvents>& component : snapshot()) {
        if (component && (component->*event))
            (component->*event)(args...);
    }
}

template <class Handler, class... Args> bool askAll(Handler TAcroMultiDDEvents::*event, Args&&... args) {
    for (const QPointer<TAcroMultiDDEvents>& component : snapshot()) {
        if (!component || !(component->*event))
            continue;
        bool granted = true;
        (component->*event)(args..., granted);
        if (!granted)
            return false;
    }
    return true;
}

} // namespace

TAcroMultiDDEvents::TAcroMultiDDEvents(QObject* owner) : QObject(owner) {
    EventsList& list = eventsList();
    std::lock_guard lock(list.mutex);
    list.components.push_back(this);
}

TAcroMultiDDEvents::~TAcroMultiDDEvents() {
    EventsList& list = eventsList();
    std::lock_guard lock(list.mutex);
    list.components.erase(std::remove(list.components.begin(), list.components.end(), this),
                          list.components.end());
}

QList<TAcroMultiDDEvents*> TAcroMultiDDEvents::All() {
    EventsList& list = eventsList();
    std::lock_guard lock(list.mutex);
    return QList<TAcroMultiDDEvents*>(list.components.begin(), list.components.end());
}

void TAcroMultiDDEvents::RaiseBeforeBuildDD(TCustomMultiDD* dd) {
    offerToAll(&TAcroMultiDDEvents::OnBeforeBuildDD, dd);
}

void TAcroMultiDDEvents::RaiseAfterBuildDD(TCustomMultiDD* dd) {
    offerToAll(&TAcroMultiDDEvents::OnAfterBuildDD, dd);
}

bool TAcroMultiDDEvents::RaiseBuildingDD(TCustomMultiDD* dd, const QByteArray& ddKey,
                                         const QByteArray& codePage, const QByteArray& seqNo) {
    return askAll(&TAcroMultiDDEvents::OnBuildingDD, dd, ddKey, codePage, seqNo);
}

bool TAcroMultiDDEvents::RaiseBeforeReplaceComponent(TCustomMultiDD* dd, QObject* object,
                                                     const TDDReplaceInfo& info) {
    return askAll(&TAcroMultiDDEvents::OnBeforeReplaceComponent, dd, object, info);
}

void TAcroMultiDDEvents::RaiseAfterReplaceComponent(TCustomMultiDD* dd, QObject* object,
                                                    const TDDReplaceInfo& info) {
    offerToAll(&TAcroMultiDDEvents::OnAfterReplaceComponent, dd, object, info);
}

void TAcroMultiDDEvents::RaiseNotFoundDisplayValue(TCustomMultiDD* dd, const QByteArray& ddKey,
                                                   const QByteArray& codePage, bool fromResource,
                                                   const QByteArray& seqNo) {
    offerToAll(&TAcroMultiDDEvents::OnNotFoundDisplayValue, dd, ddKey, codePage, fromResource, seqNo);
}

void TAcroMultiDDEvents::RaiseNotFoundNearstClassMethod(TCustomMultiDD* dd, const QMetaObject* objectClass) {
    offerToAll(&TAcroMultiDDEvents::OnNotFoundNearstClassMethod, dd, objectClass);
}

} // namespace tarvel
