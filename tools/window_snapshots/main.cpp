// window_snapshots <catalog> <out dir> [Control=value ...]
// Developer tool: builds the main window offscreen on a catalog, sets controls by component name in
// the order given (a chooser picks the entry, a field takes the text, as a user would), and saves
// each design page, the selection assistant, the report preview, the catalog dialogs and the About
// box as PNG and the filled report as report.pdf, so the look and the numbers can be checked
// without a display. A step "?Chooser=text" opens that chooser's list filtered by the text and saves
// the page with the open list as filter_<Chooser>.png; the box asking to save changes is saved as
// save_prompt.png. A step "design=FILE" opens a design file as "Open Design..." does. The interface
// language is the one Language.ini in the output folder names.
//   window_snapshots VurIvira /tmp/shots ComboBox1=Germany ComboBox2=Berlin SpinEdit6=2 ?ComboBox17=kt10

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/product_info.h"
#include "app/tdm.h"
#include "ui/filter_chooser.h"
#include "report/prepared_report.h"
#include "report/report_preview.h"
#include "ui/look.h"
#include "ui/selection_assistant.h"
#include "ui/spin_edit.h"
#include "ui/tfrm_inverter_new.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_panel_new.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Message boxes would block an offscreen run; their texts go to the console instead.
class ConsoleDialogs : public tarvel::QtDialogs {
public:
    void message(QWidget*, const QString& text) override { std::printf("message: %s\n", qPrintable(text)); }
    void errorReport(QWidget*, const QString& text) override { std::printf("error: %s\n", qPrintable(text)); }
};

bool setControl(tarvel::Tfrm_main& window, const QString& name, const QString& value) {
    if (auto* chooser = window.findChild<QComboBox*>(name)) {
        const int index = chooser->findText(value);
        if (index < 0)
            return false;
        chooser->setCurrentIndex(index);
        emit chooser->activated(index);
        return true;
    }
    if (auto* spin = window.findChild<tarvel::SpinEdit*>(name)) {
        spin->setText(value);
        return true;
    }
    if (auto* edit = window.findChild<QLineEdit*>(name)) {
        edit->setText(value);
        return true;
    }
    return false;
}

void snapshot(QWidget* widget, const QString& path) {
    widget->show();
    QApplication::processEvents();
    widget->grab().save(path);
    widget->hide();
}

// The window with the chooser's list open and filtered, painted as the screen would show it.
bool snapshotFilteredList(tarvel::Tfrm_main& window, const QString& name, const QString& typed, const QDir& out) {
    auto* chooser = window.findChild<tarvel::FilterChooser*>(name);
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
    if (!chooser || !pages)
        return false;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(chooser))
            pages->setCurrentIndex(i);
    QApplication::processEvents();
    chooser->setFocus();
    chooser->showPopup();
    chooser->filterField()->setText(typed);
    QApplication::processEvents();
    // The list may reach beyond the window (as it may on a screen): the picture takes in both.
    QWidget* list = chooser->filterField()->window();
    const QRect listRect(window.mapFromGlobal(list->mapToGlobal(QPoint(0, 0))), list->size());
    const QRect all = window.rect().united(listRect);
    QPixmap shot(all.size());
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(-all.topLeft(), window.grab());
    painter.drawPixmap(listRect.topLeft() - all.topLeft(), list->grab());
    painter.end();
    chooser->hidePopup();
    return shot.save(out.filePath(QStringLiteral("filter_%1.png").arg(name)));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    tarvel::applyLook(app);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: window_snapshots <catalog> <out dir> [Control=value ...]\n");
        return 2;
    }
    const QDir out(args[2]);
    QDir().mkpath(out.path());
    tarvel::TAppSettings settings;
    tarvel::SystemPlatform platform;
    ConsoleDialogs dialogs;
    tarvel::TDM dm(settings, platform, dialogs, out.filePath(QStringLiteral("Language.ini")), args[1]);
    tarvel::AppContext context{settings, dm, dialogs, platform};
    tarvel::Tfrm_main window(context);
    window.show();
    QStringList filters;
    for (const QString& step : args.mid(3)) {
        if (step.startsWith(u'?')) {
            filters.append(step.mid(1));
            continue;
        }
        const qsizetype equals = step.indexOf(u'=');
        if (step.startsWith(QStringLiteral("design="))) {
            const tarvel::Tfrm_main::OpenResult opened = window.openDesign(step.mid(equals + 1));
            for (const QString& text : opened.messages + opened.skipped)
                std::printf("message: %s\n", qPrintable(text));
            continue;
        }
        if (equals < 0 || !setControl(window, step.left(equals), step.mid(equals + 1)))
            std::fprintf(stderr, "cannot apply %s\n", qPrintable(step));
    }
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        window.grab().save(out.filePath(QStringLiteral("page%1.png").arg(i)));
    }
    for (const QString& filter : filters) {
        const qsizetype equals = filter.indexOf(u'=');
        if (equals < 0 || !snapshotFilteredList(window, filter.left(equals), filter.mid(equals + 1), out))
            std::fprintf(stderr, "cannot filter %s\n", qPrintable(filter));
    }
    QMessageBox* prompt = tarvel::createSaveChangesBox(&window);
    snapshot(prompt, out.filePath(QStringLiteral("save_prompt.png")));
    delete prompt;
    // The selection assistant as the design leaves it, with its first inverter opened.
    window.SelectionAssistantClick();
    if (tarvel::SelectionAssistant* assistant = window.selectionAssistant()) {
        auto* tree = assistant->findChild<QTreeWidget*>(QStringLiteral("TreeInverters"));
        if (tree && tree->topLevelItemCount() > 0) {
            tree->topLevelItem(0)->setExpanded(true);
            if (tree->topLevelItem(0)->childCount() > 1)
                tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        }
        snapshot(assistant, out.filePath(QStringLiteral("assistant.png")));
        // The end of the list, where the reasons are.
        if (tree && tree->topLevelItemCount() > 0) {
            tree->topLevelItem(0)->setExpanded(false);
            tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
            tree->scrollToBottom();
        }
        snapshot(assistant, out.filePath(QStringLiteral("assistant_end.png")));
    }
    window.InitReport();
    window.preparedReport().exportPdf(out.filePath(QStringLiteral("report.pdf")));
    window.N24Click();
    snapshot(window.reportPreview(), out.filePath(QStringLiteral("preview.png")));
    tarvel::Tfrm_location location(context, &window);
    snapshot(&location, out.filePath(QStringLiteral("dialog_location.png")));
    tarvel::Tfrm_panel_new panel(context, &window);
    snapshot(&panel, out.filePath(QStringLiteral("dialog_panel.png")));
    tarvel::Tfrm_inverter_new inverter(context, &window);
    snapshot(&inverter, out.filePath(QStringLiteral("dialog_inverter.png")));
    tarvel::Tfrm_ProductInfo about(settings, &window);
    snapshot(&about, out.filePath(QStringLiteral("about.png")));
    return 0;
}
