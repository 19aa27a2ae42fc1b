#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

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
