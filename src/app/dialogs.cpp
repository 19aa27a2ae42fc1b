#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <stdexcept>

namespace tarvel {

void QtDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

QString QtDialogs::openPictureFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        QStringLiteral("JPEG (*.jpg *.jpeg);;All files (*)"));
}

void QtDialogs::errorReport(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QApplication::applicationName(), text, QMessageBox::Ok);
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
