#include "report/report_preview.h"

#include "report/report_painter.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>

namespace tarvel::report {
namespace {

std::function<QString(const QString&)>& textTranslator() {
    static std::function<QString(const QString&)> translator;
    return translator;
}

QString composed(const char* text) {
    const QString source = QString::fromUtf8(text);
    return textTranslator() ? textTranslator()(source) : source;
}

} // namespace

void ReportPreview::setTextTranslator(std::function<QString(const QString&)> translator) {
    textTranslator() = std::move(translator);
}

struct ReportPreview::Private {
    ReportPreview* q = nullptr;
    PreparedReport report;
    // Constructed without a name it is the system's default printer; the print dialog may pick another.
    QPrinter printer{QPrinter::HighResolution};
    QPrintPreviewWidget* view = nullptr;
    QLineEdit* findField = nullptr;
    QLabel* foundLabel = nullptr;
    QStringList highlighted;

    void paintPreview(QPrinter* target) const {
        QPainter painter;
        if (!painter.begin(target))
            return;
        for (int page = 0; page < report.pageCount(); ++page) {
            if (page > 0)
                target->newPage();
            report.paintPage(painter, page, detail::sheetRectOnDevice(*target), highlighted);
        }
    }

    // Errors of a command are shown to the user; the direct calls throw them instead.
    void reported(const std::function<void()>& command) const {
        try {
            command();
        } catch (const ReportError& error) {
            QMessageBox::critical(q, q->windowTitle(), QString::fromUtf8(error.what()));
        }
    }

    void print() {
        QPrintDialog dialog(&printer, q);
        if (dialog.exec() == QDialog::Accepted)
            reported([this] { report.print(printer); });
    }

    void pageSetup() {
        QPageSetupDialog dialog(&printer, q);
        if (dialog.exec() == QDialog::Accepted)
            view->updatePreview();
    }

    QString chooseFile(bool saving, const QString& title, const QString& filter,
                       const QString& suffix) const {
        QString path = saving ? QFileDialog::getSaveFileName(q, title, QString(), filter)
                              : QFileDialog::getOpenFileName(q, title, QString(), filter);
        if (saving && !path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += u'.' + suffix;
        return path;
    }

    void saveWithDialog() const {
        const QString path =
            chooseFile(true, composed("Save prepared report"), composed("Prepared report (*.tpr)"), "tpr");
        if (!path.isEmpty())
            reported([&] { q->saveTo(path); });
    }

    void loadWithDialog() {
        const QString path =
            chooseFile(false, composed("Load prepared report"), composed("Prepared report (*.tpr)"), "tpr");
        if (!path.isEmpty())
            reported([&] { q->loadFrom(path); });
    }

    void exportWithDialog() const {
        const QString path = chooseFile(true, composed("Export PDF"), composed("PDF (*.pdf)"), "pdf");
        if (!path.isEmpty())
            reported([&] { q->exportPdfTo(path); });
    }
};

ReportPreview::ReportPreview(QWidget* parent) : QDialog(parent), d(new Private) {
    d->q = this;
    setWindowTitle(tr("Print Preview"));
    setModal(false);
    resize(900, 800);

    d->printer.setPageSize(QPageSize(QPageSize::A4));
    // The report's own margins are part of its layout: the page is painted from the paper's edge.
    d->printer.setFullPage(true);
    d->view = new QPrintPreviewWidget(&d->printer, this);
    d->view->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(d->view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { d->paintPreview(printer); });

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [&](const QString& text, const char* icon, const QKeySequence& key, auto&& handler) {
        QAction* action = bar->addAction(QIcon::fromTheme(QString::fromLatin1(icon)), text);
        action->setShortcut(key);
        action->setToolTip(QString(text).remove(QStringLiteral("...")));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(tr("Print"), "document-print", QKeySequence::Print, [this] { d->print(); });
    add(tr("Page setup"), "document-page-setup", QKeySequence(), [this] { d->pageSetup(); });
    bar->addSeparator();
    add(tr("Zoom in"), "zoom-in", QKeySequence::ZoomIn, [this] { zoomIn(); });
    add(tr("Zoom out"), "zoom-out", QKeySequence::ZoomOut, [this] { zoomOut(); });
    add(tr("Fit width"), "zoom-fit-width", QKeySequence(), [this] { fitToWidth(); });
    bar->addSeparator();
    d->findField = new QLineEdit(bar);
    d->findField->setObjectName(QStringLiteral("findField"));
    d->findField->setPlaceholderText(tr("Find text"));
    d->findField->setClearButtonEnabled(true);
    d->findField->setFixedWidth(130);
    bar->addWidget(d->findField);
    d->foundLabel = new QLabel(bar);
    d->foundLabel->setObjectName(QStringLiteral("foundLabel"));
    d->foundLabel->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(d->foundLabel);
    connect(d->findField, &QLineEdit::returnPressed, this, [this] { findText(d->findField->text()); });
    auto* findAction = new QAction(this);
    findAction->setShortcut(QKeySequence::Find);
    connect(findAction, &QAction::triggered, this,
            [this] { d->findField->setFocus(Qt::ShortcutFocusReason); });
    addAction(findAction);
    bar->addSeparator();
    // Short button labels keep every command on the bar at the window's width; the tool tips and the
    // action texts keep the full names.
    add(tr("Save prepared report..."), "document-save", QKeySequence::Save, [this] {
        d->saveWithDialog();
    })->setIconText(tr("Save report"));
    add(tr("Load prepared report..."), "document-open", QKeySequence::Open, [this] {
        d->loadWithDialog();
    })->setIconText(tr("Load report"));
    add(tr("Export PDF..."), "document-export", QKeySequence(), [this] { d->exportWithDialog(); });
    bar->addSeparator();
    add(tr("Close"), "window-close", QKeySequence::Close, [this] { close(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(d->view, 1);
}

ReportPreview::~ReportPreview() {
    // The view paints on the printer held in `d`; it goes first.
    delete d->view;
    delete d;
}

void ReportPreview::showReport(const PreparedReport& report) {
    d->report = report;
    d->highlighted.clear();
    d->foundLabel->clear();
    d->view->updatePreview();
}

const PreparedReport& ReportPreview::report() const {
    return d->report;
}

void ReportPreview::zoomIn() {
    d->view->zoomIn();
}

void ReportPreview::zoomOut() {
    d->view->zoomOut();
}

void ReportPreview::fitToWidth() {
    d->view->fitToWidth();
}

QStringList ReportPreview::findText(const QString& needle) {
    d->highlighted = d->report.find(needle);
    d->foundLabel->setText(needle.isEmpty() ? QString() : composed("%1 found").arg(d->highlighted.size()));
    d->view->updatePreview();
    return d->highlighted;
}

void ReportPreview::saveTo(const QString& path) const {
    d->report.save(path);
}

void ReportPreview::loadFrom(const QString& path) {
    showReport(PreparedReport::load(path));
}

void ReportPreview::exportPdfTo(const QString& path) const {
    d->report.exportPdf(path);
}

} // namespace tarvel::report
