#include "app/dialogs.h"

#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <stdexcept>

namespace tarvel {
namespace {

// Messages and error reports carry catalog names and values (a conversion error quotes the text that
// failed). Qt would render a text that looks like markup and load the files its image tags name, so
// the box shows its text as written.
void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtDialogs::message(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Information, text);
}

void QtDialogs::messageWithDetail(QWidget* parent, const QString& text, const QString& detail) {
    showBox(parent, QMessageBox::Information, detail.isEmpty() ? text : text + u'\n' + detail);
}

QString QtDialogs::openPictureFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        QStringLiteral("JPEG (*.jpg *.jpeg);;All files (*)"));
}

void QtDialogs::errorReport(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Critical, text);
}

QString QtDialogs::openDesignFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        QStringLiteral("Tarvel PV design (*.tpvd)"));
}

QString QtDialogs::saveDesignFile(QWidget* parent) {
    QString path = QFileDialog::getSaveFileName(parent, QString(), QString(),
                                                QStringLiteral("Tarvel PV design (*.tpvd)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".tpvd"), Qt::CaseInsensitive))
        path += QStringLiteral(".tpvd");
    return path;
}

QString QtDialogs::saveResultsFile(QWidget* parent) {
    const QString csv = QStringLiteral("CSV (*.csv)");
    const QString xlsx = QStringLiteral("Excel workbook (*.xlsx)");
    QString chosen = csv;
    QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), csv + QStringLiteral(";;") + xlsx,
                                                &chosen);
    if (path.isEmpty())
        return path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("csv") && suffix != QStringLiteral("xlsx"))
        path += chosen == xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    return path;
}

QMessageBox* createSaveChangesBox(QWidget* parent) {
    auto* box = new QMessageBox(QMessageBox::Question, QApplication::applicationName(),
                                res(rs::SaveChangesQuestion),
                                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box->setTextFormat(Qt::PlainText);
    box->button(QMessageBox::Save)->setText(res(rs::SaveButton));
    box->button(QMessageBox::Discard)->setText(res(rs::DiscardButton));
    box->button(QMessageBox::Cancel)->setText(res(rs::CancelButton));
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

SaveAnswer QtDialogs::askSaveChanges(QWidget* parent) {
    const std::unique_ptr<QMessageBox> box(createSaveChangesBox(parent));
    switch (box->exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

void reportErrors(Dialogs& dialogs, QWidget* parent, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        dialogs.errorReport(parent, QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs.errorReport(parent, QStringLiteral("Unknown error"));
    }
}

} // namespace tarvel
