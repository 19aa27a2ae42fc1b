#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace tarvel {

class TCustomMultiDD;

// What a replacement applies to one object: the code page and sequence number of the texts, and the
// font choice. The replacement layer defines the values of FontOption; Font holds a QFont when one
// is given (a QVariant keeps this library free of the GUI module).
struct TDDReplaceInfo {
    QString CodePage;
    QString SeqNo;
    int FontOption = 0;
    QVariant Font;
};

using TDDNotifyEvent = std::function<void(TCustomMultiDD* dd)>;
// Setting accept to false drops the row.
using TDDBuildingEvent =
    std::function<void(TCustomMultiDD* dd, const QByteArray& ddKey, const QByteArray& codePage,
                       const QByteArray& seqNo, bool& accept)>;
// Setting allow to false skips the object.
using TDDBeforeReplaceEvent =
    std::function<void(TCustomMultiDD* dd, QObject* object, const TDDReplaceInfo& info, bool& allow)>;
using TDDAfterReplaceEvent =
    std::function<void(TCustomMultiDD* dd, QObject* object, const TDDReplaceInfo& info)>;
using TDDNotFoundEvent =
    std::function<void(TCustomMultiDD* dd, const QByteArray& ddKey, const QByteArray& codePage,
                       bool fromResource, const QByteArray& seqNo)>;
using TDDNoClassMethodEvent = std::function<void(TCustomMultiDD* dd, const QMetaObject* objectClass)>;

// Listeners of the dictionary store. Every events component, a dictionary's own "SelfEvents" or a
// free-standing one, is in one process-wide list from construction to destruction, and every event
// is offered to all of them in that order, whichever dictionary raises it. Components are created and
// raised on the interface thread; a listener may destroy components, which then hear nothing more.
class TAcroMultiDDEvents : public QObject {
    Q_OBJECT
public:
    explicit TAcroMultiDDEvents(QObject* owner = nullptr);
    ~TAcroMultiDDEvents() override;

    TDDNotifyEvent OnBeforeBuildDD;
    TDDNotifyEvent OnAfterBuildDD;
    TDDBuildingEvent OnBuildingDD;
    TDDBeforeReplaceEvent OnBeforeReplaceComponent;
    TDDAfterReplaceEvent OnAfterReplaceComponent;
    TDDNotFoundEvent OnNotFoundDisplayValue;
    TDDNoClassMethodEvent OnNotFoundNearstClassMethod;

    // The process-wide list, in the order the events are offered.
    static QList<TAcroMultiDDEvents*> All();

    static void RaiseBeforeBuildDD(TCustomMultiDD* dd);
    static void RaiseAfterBuildDD(TCustomMultiDD* dd);
    // False when a listener dropped the row; the first one to drop it ends the round.
    static bool RaiseBuildingDD(TCustomMultiDD* dd, const QByteArray& ddKey, const QByteArray& codePage,
                                const QByteArray& seqNo);
    // False when a listener refused the object; the first one to refuse ends the round.
    static bool RaiseBeforeReplaceComponent(TCustomMultiDD* dd, QObject* object, const TDDReplaceInfo& info);
    static void RaiseAfterReplaceComponent(TCustomMultiDD* dd, QObject* object, const TDDReplaceInfo& info);
    static void RaiseNotFoundDisplayValue(TCustomMultiDD* dd, const QByteArray& ddKey,
                                          const QByteArray& codePage, bool fromResource,
                                          const QByteArray& seqNo);
    static void RaiseNotFoundNearstClassMethod(TCustomMultiDD* dd, const QMetaObject* objectClass);
};

} // namespace tarvel
