#pragma once

#include <QString>

#include <functional>
#include <optional>

class QObject;
struct QMetaObject;

namespace tarvel {

class TCustomMultiDD;

// The routine that translates the text properties of one class family:
// (dictionary, object, code page, sequence number).
using TClassReplaceProc = std::function<void(TCustomMultiDD*, QObject*, const QString&, const QString&)>;

// The class hooks, found through the nearest registered ancestor of an object's class.
class TMultiClassMethodStorage {
public:
    static TMultiClassMethodStorage& instance();

    // Registering a class again replaces its routine; an empty routine makes its objects skipped.
    void RegisterClassMethod(const QMetaObject* objectClass, TClassReplaceProc routine);
    void UnregisterClassMethod(const QMetaObject* objectClass);
    // The routine of the most derived registered class the class inherits (itself included).
    std::optional<TClassReplaceProc> find(const QMetaObject* objectClass) const;

private:
    TMultiClassMethodStorage() = default;
};

// Registers the hooks of the standard controls, the page controls and the chart (once per process).
void registerStandardClassHooks();

} // namespace tarvel
