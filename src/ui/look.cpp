#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace tarvel {
namespace {

const char kStyleSheet[] = R"(
QMainWindow, QDialog { background: #f4f7f8; }
QTabWidget::pane { border: 1px solid #b9c7cd; background: #fbfcfd; top: -1px; }
QTabBar::tab { background: #e3eaed; border: 1px solid #b9c7cd; border-bottom: none;
               border-top-left-radius: 5px; border-top-right-radius: 5px;
               padding: 4px 10px; margin-right: 2px; color: #2c3e46; }
QTabBar::tab:selected { background: #fbfcfd; font-weight: bold; color: #0b5f67; }
QTabBar::tab:disabled { color: #9aa8ae; background: #eef2f3; }
QGroupBox { border: 1px solid #c5d2d7; border-radius: 4px; margin-top: 10px; padding-top: 4px;
            background: rgba(255, 255, 255, 150); }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; color: #0b5f67; font-weight: bold; }
QGroupBox[role="plain"] { border: none; background: transparent; }
QGroupBox[role="section"] { background: rgba(240, 246, 247, 160); }
QLabel[role="value"] { background: #ffffff; border: 1px solid #c9d5da; border-radius: 2px; padding: 1px 4px;
                       color: #13262e; }
QLabel[role="heading"] { background: #0f7c86; color: #ffffff; font-weight: bold; padding: 2px 6px;
                         border-radius: 2px; }
QLabel[role="pane"] { color: #1d3038; padding-left: 4px; }
QLabel[role="note"] { color: #5d6d74; font-style: italic; }
QLabel[role="warning"] { background: #fff4d6; border: 1px solid #e2b64a; border-radius: 2px; padding: 3px 6px;
                         color: #5a3d00; }
QLabel[role="site"] { color: #1f5f3a; }
QLabel[role="site"][state="warning"] { color: #8a5200; }
QLabel[role="site"][state="danger"] { color: #b3261e; }
QPushButton[role="link"] { border: none; background: transparent; color: #0b5f67; text-decoration: underline;
                           padding: 2px 4px; }
QPushButton[role="link"]:hover { color: #0f7c86; }
QLineEdit[readOnly="true"] { background: #f1f4f5; }
QPlainTextEdit { background: #ffffff; border: 1px solid #c9d5da; }
QMenuBar { background: #e8eef0; border-bottom: 1px solid #c5d2d7; }
QMenuBar::item:selected { background: #cfe3e6; }
QMenuBar::item:disabled { color: #9aa8ae; }
)";

} // namespace

void applyLook(QApplication& app) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xf8));
    palette.setColor(QPalette::Highlight, QColor(0x0f, 0x7c, 0x86));
    QApplication::setPalette(palette);
    // A CJK font keeps both interface languages in one consistent face.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    QApplication::setFont(font);
    app.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

} // namespace tarvel
