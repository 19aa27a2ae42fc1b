// The design as a document: the file it belongs to, the mark of unsaved changes in the window title,
// the question before a changed design is set aside, and the recently used design files.

#include "ui/tfrm_main.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "ui/spin_edit.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace tarvel {

// Every control that holds an input of the design file; after its own handler has run, the design
// is compared with the one last opened, saved or started. Comparing the inputs, rather than noting
// that something was touched, leaves no mark for a choice of the same entry or a value typed back.
void Tfrm_main::trackDesignChanges() {
    auto changed = [this] { designChanged(); };
    QList<QComboBox*> choosers{ui.ComboBox1, ui.ComboBox2, ui.ComboBox17};
    QList<SpinEdit*> fields{ui.SpinEdit1, ui.SpinEdit2, ui.SpinEdit3, ui.SpinEdit4, ui.SpinEdit5};
    for (const StringInputUi& in : ui.inputs) {
        choosers << in.maker << in.type;
        fields << in.strings << in.modulesPerString;
    }
    for (const CableRunUi& run : ui.cables) {
        choosers << run.material << run.crossSection;
        fields << run.length;
    }
    for (QComboBox* chooser : choosers)
        connect(chooser, &QComboBox::activated, this, changed);
    for (SpinEdit* field : fields)
        connect(field, &SpinEdit::textChanged, this, changed);
    for (QLineEdit* edit : {ui.Edit2, ui.Edit3})
        connect(edit, &QLineEdit::textChanged, this, changed);

    m_caption = windowTitle();
    m_recent = RecentDesigns::read(m_ctx.dm.iniPath());
    m_recent.prune([](const QString& path) { return QFileInfo(path).isFile(); });
    connect(ui.menuRecent, &QMenu::aboutToShow, this, &Tfrm_main::showRecentDesigns);
    showRecentDesigns();
    adoptDesign(QString());
}

bool Tfrm_main::isDesignModified() const {
    return !m_savedDesign || captureDesign() != *m_savedDesign;
}

void Tfrm_main::designChanged() {
    // A design being replayed passes through many states; it is judged once it is complete.
    if (m_collector)
        return;
    const bool modified = isDesignModified();
    if (modified != isWindowModified())
        showModified(modified);
}

// The design now belongs to `path` (empty: to no file) and has no unsaved changes.
void Tfrm_main::adoptDesign(const QString& path) {
    m_designPath = path.isEmpty() ? QString() : RecentDesigns::normalized(path);
    m_savedDesign = captureDesign();
    showModified(false);
    if (!m_designPath.isEmpty())
        rememberRecent(m_designPath);
}

// "berlin.tpvd[*] — <caption>", the mark shown while there are unsaved changes. A design without a
// file shows the caption alone, marked the same way.
void Tfrm_main::showModified(bool modified) {
    // A "[*]" in the file's own name is doubled, which shows it as written.
    QString name = QFileInfo(m_designPath).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    if (!m_designPath.isEmpty())
        setWindowTitle(name + QStringLiteral("[*] \u2014 ") + m_caption);
    else
        setWindowTitle(modified ? m_caption + QStringLiteral("[*]") : m_caption);
    setWindowModified(modified);
}

void Tfrm_main::updateWindowTitle() {
    showModified(isWindowModified());
}

bool Tfrm_main::maySetDesignAside() {
    if (!isDesignModified())
        return true;
    switch (m_ctx.dialogs.askSaveChanges(this)) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    const QString path = m_designPath.isEmpty() ? m_ctx.dialogs.saveDesignFile(this) : m_designPath;
    if (path.isEmpty())
        return false;
    bool saved = false;
    reportErrors(m_ctx.dialogs, this, [&] {
        saveDesign(path);
        saved = true;
    });
    if (saved)
        adoptDesign(path);
    return saved;
}

// Closing the window ends the program; a restart for a new language hands the design over instead.
void Tfrm_main::closeEvent(QCloseEvent* event) {
    if (!m_ctx.settings.RestartPending && !maySetDesignAside()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void Tfrm_main::openDesignFile(const QString& path) {
    OpenResult result;
    try {
        result = openDesign(path);
    } catch (...) {
        // A file that is gone is no longer offered; a file that is only malformed stays listed.
        if (!QFileInfo(path).isFile() && m_recent.paths().contains(RecentDesigns::normalized(path))) {
            m_recent.remove(path);
            rememberRecent(QString());
        }
        throw;
    }
    adoptDesign(path);
    showOpenResult(result);
}

void Tfrm_main::SaveDesignAsClick() {
    const QString path = m_ctx.dialogs.saveDesignFile(this);
    if (path.isEmpty())
        return;
    saveDesign(path);
    adoptDesign(path);
}

// Puts `path` first in the recent list (an empty path only stores the list) and keeps the list in
// the settings file. The list is a convenience: a settings file that cannot be written is reported
// once, and the design stays saved all the same.
void Tfrm_main::rememberRecent(const QString& path) {
    if (!path.isEmpty())
        m_recent.add(path);
    ui.menuRecent->menuAction()->setEnabled(!m_recent.isEmpty());
    try {
        m_recent.write(m_ctx.dm.iniPath());
    } catch (const std::exception& error) {
        if (!m_recentUnwritable)
            m_ctx.dialogs.errorReport(this, QString::fromUtf8(error.what()));
        m_recentUnwritable = true;
    }
}

// The entries of "Recent Designs", made as the menu opens (never while one of them runs): "&1 name.tpvd"
// with the whole path as hint; files that are gone are left out.
void Tfrm_main::showRecentDesigns() {
    m_recent.prune([](const QString& path) { return QFileInfo(path).isFile(); });
    ui.menuRecent->clear();
    int number = 0;
    for (const QString& path : m_recent.paths()) {
        ++number;
        QString name = QFileInfo(path).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        QAction* entry = ui.menuRecent->addAction(QStringLiteral("&%1 %2").arg(number).arg(name));
        entry->setObjectName(QStringLiteral("RecentDesign%1").arg(number));
        entry->setData(path);
        entry->setStatusTip(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] {
            reportErrors(m_ctx.dialogs, this, [this, &path] {
                if (maySetDesignAside())
                    openDesignFile(path);
            });
        });
    }
    ui.menuRecent->menuAction()->setEnabled(number > 0);
}

} // namespace tarvel
