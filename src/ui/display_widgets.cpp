#include "ui/display_widgets.h"

#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace tarvel {
namespace {

QString normalizedLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

MultiLineLabel::MultiLineLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString MultiLineLabel::displayText() const {
    return normalizedLines(text());
}

QSize MultiLineLabel::sizeHint() const {
    const QRect box =
        fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop, displayText());
    const QMargins m = contentsMargins();
    return box.size().grownBy(m) + QSize(2 * margin(), 2 * margin());
}

QSize MultiLineLabel::minimumSizeHint() const {
    return sizeHint();
}

void MultiLineLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), option.palette, isEnabled(),
                          displayText(), foregroundRole());
}

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // It only shows texts: Tab passes it by, a click still lets the text be selected and copied.
    setFocusPolicy(Qt::ClickFocus);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void Memo::setText(const QString& text) {
    m_text = text;
    setPlainText(normalizedLines(text));
}

StatusIcon::StatusIcon(QWidget* parent) : QLabel(parent) {
    setFixedSize(16, 16);
    setAlignment(Qt::AlignCenter);
}

void StatusIcon::setMark(TCheckMark mark) {
    m_mark = mark;
    clear();
    if (mark != cmNone)
        setPixmap(imageListIcon(static_cast<int>(mark) - 1));
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setScaledContents(true);
    setAlignment(Qt::AlignCenter);
}

void PictureBox::setJpeg(const QByteArray& bytes) {
    QImage decoded;
    if (!decoded.loadFromData(bytes, "JPG"))
        throw PictureError(res(rs::NotAJpeg).toStdString());
    m_bytes = bytes;
    m_image = decoded;
    setPixmap(QPixmap::fromImage(decoded));
}

void PictureBox::clearPicture() {
    m_bytes.clear();
    m_image = QImage();
    clear();
}

QPixmap imageListIcon(int index) {
    static const char* const kFiles[] = {
        ":/ui/icon_ok.svg",
        ":/ui/icon_warning.svg",
        ":/ui/icon_danger.svg",
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        ":/ui/tab_project.svg",
        ":/ui/tab_inverter.svg",
        ":/ui/tab_strings.svg",
        ":/ui/tab_cabling.svg",
        ":/ui/tab_result.svg",
    };
    if (index < 0 || index >= static_cast<int>(std::size(kFiles)) || kFiles[index] == nullptr)
        return {};
    // Status marks are set again at every recompute, dozens at a time; drawing one means parsing its
    // SVG anew. Each icon is drawn once per screen scale and then shared.
    const QString key = QStringLiteral("tarvel-image-list-%1@%2").arg(index).arg(qApp->devicePixelRatio());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QIcon(QString::fromLatin1(kFiles[index])).pixmap(16, 16);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

} // namespace tarvel
