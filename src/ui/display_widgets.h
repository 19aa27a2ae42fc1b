#pragma once

#include "design/design_records.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

#include <stdexcept>

namespace tarvel {

// A label whose text may separate its lines with a lone carriage return. The text is kept exactly as
// written (other code reads it back); only the display breaks the lines.
class MultiLineLabel : public QLabel {
    Q_OBJECT
public:
    explicit MultiLineLabel(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString displayText() const;
};

// A read-only memo that keeps its text exactly as written (with CR LF line ends) while it shows it.
class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString& text);

private:
    QString m_text;
};

// A 16 x 16 status icon showing one TCheckMark.
class StatusIcon : public QLabel {
    Q_OBJECT
public:
    explicit StatusIcon(QWidget* parent = nullptr);
    TCheckMark mark() const { return m_mark; }
    void setMark(TCheckMark mark);

private:
    TCheckMark m_mark = cmNone;
};

// A picture that is not a JPEG image.
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A picture box showing a JPEG image stretched to its size, keeping the bytes it was loaded from so
// that they can be stored back unchanged.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // Throws PictureError, leaving the box as it was, when the bytes are not a JPEG image.
    void setJpeg(const QByteArray& bytes);
    void clearPicture();
    bool hasPicture() const { return !m_bytes.isEmpty(); }
    QByteArray jpegBytes() const { return m_bytes; }
    QImage image() const { return m_image; }

private:
    QByteArray m_bytes;
    QImage m_image;
};

// The icons of the main window: 0 to 2 are the status marks (check, warning, cross), 8 to 12 the
// icons of the five design tabs.
QPixmap imageListIcon(int index);

} // namespace tarvel
