#include "report/report_json.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

#include <cmath>

namespace tarvel::report::detail {
namespace {

[[noreturn]] void fail(const QString& source, const QString& what) {
    throw ReportError(QStringLiteral("%1: %2").arg(source, what).toStdString());
}

// Unknown keys are refused rather than ignored: a misspelt "growwidth" would otherwise print a
// field the wrong way without a word.
const QSet<QString>& commonKeys() {
    static const QSet<QString> keys{"name", "type", "left", "top", "width", "height", "visible", "page"};
    return keys;
}
const QSet<QString>& textKeys() {
    static const QSet<QString> keys{"text",   "lines",  "family", "size",      "bold",
                                    "italic", "valign", "halign", "growWidth", "maxWidth"};
    return keys;
}
const QSet<QString>& pictureKeys() {
    static const QSet<QString> keys{"file", "svg", "png", "imageFormat"};
    return keys;
}

// Typed access to one object's members, with messages that name the object and the key.
class Reader {
public:
    Reader(const QJsonObject& json, const ReadContext& context, const QString& where)
        : m_json(json), m_context(context), m_where(where) {}

    [[noreturn]] void fail(const QString& what) const { detail::fail(m_context.source, m_where + what); }

    bool has(const QString& key) const { return m_json.contains(key); }

    double number(const QString& key) const {
        const QJsonValue v = m_json.value(key);
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            fail(QStringLiteral("\"%1\" must be a number").arg(key));
        return v.toDouble();
    }
    double number(const QString& key, double fallback) const { return has(key) ? number(key) : fallback; }

    QString string(const QString& key) const {
        const QJsonValue v = m_json.value(key);
        if (!v.isString())
            fail(QStringLiteral("\"%1\" must be a string").arg(key));
        return v.toString();
    }
    QString string(const QString& key, const QString& fallback) const {
        return has(key) ? string(key) : fallback;
    }

    bool boolean(const QString& key, bool fallback) const {
        if (!has(key))
            return fallback;
        const QJsonValue v = m_json.value(key);
        if (!v.isBool())
            fail(QStringLiteral("\"%1\" must be true or false").arg(key));
        return v.toBool();
    }

    QByteArray base64(const QString& key) const {
        auto decoded =
            QByteArray::fromBase64Encoding(string(key).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            fail(QStringLiteral("\"%1\" is not valid base64").arg(key));
        return *decoded;
    }

private:
    const QJsonObject& m_json;
    const ReadContext& m_context;
    QString m_where;
};

QByteArray checkedSvg(const Reader& reader, const QByteArray& svg, const QString& origin) {
    if (!QSvgRenderer(svg).isValid())
        reader.fail(QStringLiteral("%1 is no valid SVG picture").arg(origin));
    return svg;
}

void readPicture(const Reader& reader, const ReadContext& context, ReportObject& object) {
    const int given = int(reader.has("file")) + int(reader.has("svg")) + int(reader.has("png"));
    if (given > 1)
        reader.fail(QStringLiteral("give only one of \"file\", \"svg\" and \"png\""));
    if (reader.has("imageFormat") && !reader.has("png"))
        reader.fail(QStringLiteral("\"imageFormat\" belongs to \"png\""));
    if (reader.has("file")) {
        if (context.pictureBase.isEmpty())
            reader.fail(QStringLiteral("pictures must be embedded here, not named by \"file\""));
        const QString path = context.pictureBase + u'/' + reader.string("file");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            reader.fail(QStringLiteral("cannot read the picture %1").arg(path));
        const QByteArray bytes = file.readAll();
        if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
            object.svg = checkedSvg(reader, bytes, path);
        } else {
            object.picture = QImage::fromData(bytes);
            if (object.picture.isNull())
                reader.fail(QStringLiteral("%1 is no readable picture").arg(path));
        }
    } else if (reader.has("svg")) {
        object.svg = checkedSvg(reader, reader.base64("svg"), QStringLiteral("\"svg\""));
    } else if (reader.has("png")) {
        object.picture = QImage::fromData(reader.base64("png"), "PNG");
        if (object.picture.isNull())
            reader.fail(QStringLiteral("\"png\" is no readable PNG picture"));
        // The pixel format is restored so that a saved and loaded report compares equal.
        const double format = reader.number("imageFormat", int(object.picture.format()));
        if (format <= int(QImage::Format_Invalid) || format >= int(QImage::NImageFormats) ||
            format != std::floor(format))
            reader.fail(QStringLiteral("\"imageFormat\" %1 is no image format").arg(format));
        object.picture.convertTo(static_cast<QImage::Format>(int(format)));
    }
}

void readText(const Reader& reader, const ReadContext& context, const QJsonObject& json,
              ReportObject& object) {
    if (reader.has("text") && reader.has("lines"))
        reader.fail(QStringLiteral("give \"text\" or \"lines\", not both"));
    if (reader.has("text")) {
        object.lines = splitLines(reader.string("text"));
    } else if (reader.has("lines")) {
        const QJsonValue lines = json.value("lines");
        if (!lines.isArray())
            reader.fail(QStringLiteral("\"lines\" must be an array of strings"));
        for (const QJsonValue& line : lines.toArray()) {
            if (!line.isString())
                reader.fail(QStringLiteral("\"lines\" must be an array of strings"));
            object.lines << line.toString();
        }
    }

    const double size = reader.number("size", context.defaultPixelSize);
    if (size < 1 || size > 500 || size != std::floor(size))
        reader.fail(QStringLiteral("\"size\" must be a whole number of pixels from 1 to 500"));
    object.font = QFont(reader.string("family", context.defaultFamily));
    object.font.setPixelSize(int(size));
    object.font.setBold(reader.boolean("bold", false));
    object.font.setItalic(reader.boolean("italic", false));

    const QString valign = reader.string("valign", QStringLiteral("middle"));
    const QString halign = reader.string("halign", QStringLiteral("left"));
    Qt::Alignment vertical;
    if (valign == u"top")
        vertical = Qt::AlignTop;
    else if (valign == u"middle")
        vertical = Qt::AlignVCenter;
    else if (valign == u"bottom")
        vertical = Qt::AlignBottom;
    else
        reader.fail(QStringLiteral("\"valign\" must be top, middle or bottom"));
    Qt::Alignment horizontal;
    if (halign == u"left")
        horizontal = Qt::AlignLeft;
    else if (halign == u"centre")
        horizontal = Qt::AlignHCenter;
    else if (halign == u"right")
        horizontal = Qt::AlignRight;
    else
        reader.fail(QStringLiteral("\"halign\" must be left, centre or right"));
    object.alignment = vertical | horizontal;
    object.growWidth = reader.boolean("growWidth", false);
    object.maxWidthMm = reader.number("maxWidth", 0);
    if (object.maxWidthMm < 0)
        reader.fail(QStringLiteral("\"maxWidth\" must not be negative"));
    if (object.maxWidthMm > 0 && !object.growWidth)
        reader.fail(QStringLiteral("\"maxWidth\" belongs to a \"growWidth\" field"));
}

QString pngBase64(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw ReportError(
            QStringLiteral("Cannot encode a picture: %1").arg(writer.errorString()).toStdString());
    return QString::fromLatin1(bytes.toBase64());
}

} // namespace

QStringList splitLines(const QString& text) {
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

QJsonObject readRoot(const QByteArray& json, const QString& source, const QString& format, int version) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail(source,
             QStringLiteral("not valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        fail(source, QStringLiteral("the document must be a JSON object"));
    const QJsonObject root = document.object();
    if (root.value("format").toString() != format)
        fail(source, QStringLiteral("\"format\" must be \"%1\"").arg(format));
    const QJsonValue given = root.value("version");
    if (!given.isDouble())
        fail(source, QStringLiteral("\"version\" must be a number"));
    if (given.toDouble() != version)
        fail(source, QStringLiteral("version %1 is not supported (this program reads version %2)")
                         .arg(given.toDouble())
                         .arg(version));
    return root;
}

PageSetup readPage(const QJsonObject& root, const QString& source) {
    const QJsonValue value = root.value("page");
    if (!value.isObject())
        fail(source, QStringLiteral("\"page\" must be an object with width, height and margin"));
    const QJsonObject page = value.toObject();
    for (const char* key : {"width", "height", "margin"})
        if (!page.value(key).isDouble())
            fail(source, QStringLiteral("page \"%1\" must be a number").arg(QLatin1String(key)));
    PageSetup setup;
    setup.sizeMm = QSizeF(page.value("width").toDouble(), page.value("height").toDouble());
    setup.marginMm = page.value("margin").toDouble();
    if (setup.sizeMm.width() <= 2 * setup.marginMm || setup.sizeMm.height() <= 2 * setup.marginMm ||
        setup.marginMm < 0)
        fail(source, QStringLiteral("the page leaves no printable area inside its margins"));
    return setup;
}

QJsonObject writePage(const PageSetup& page) {
    return {{"width", page.sizeMm.width()}, {"height", page.sizeMm.height()}, {"margin", page.marginMm}};
}

ReportObject readObject(const QJsonObject& json, const ReadContext& context) {
    const QJsonValue nameValue = json.value("name");
    if (!nameValue.isString() || nameValue.toString().trimmed().isEmpty())
        fail(context.source, QStringLiteral("every object needs a \"name\""));
    ReportObject object;
    object.name = nameValue.toString();
    const Reader reader(json, context, QStringLiteral("object \"%1\": ").arg(object.name));

    const QString type = reader.string("type");
    if (type == u"text")
        object.kind = ReportObject::Kind::Text;
    else if (type == u"picture")
        object.kind = ReportObject::Kind::Picture;
    else
        reader.fail(QStringLiteral("\"type\" must be text or picture"));
    const QSet<QString>& own = object.kind == ReportObject::Kind::Text ? textKeys() : pictureKeys();
    for (const QString& key : json.keys())
        if (!commonKeys().contains(key) && !own.contains(key))
            reader.fail(QStringLiteral("unknown key \"%1\" for a %2 object").arg(key, type));

    const double width = reader.number("width");
    const double height = reader.number("height");
    if (width < 0 || height < 0)
        reader.fail(QStringLiteral("width and height must not be negative"));
    double left = 0;
    if (json.value("left").isString() && json.value("left").toString() == u"centre")
        left = (context.printableWidthMm - width) / 2;
    else if (json.value("left").isDouble())
        left = reader.number("left");
    else
        reader.fail(QStringLiteral("\"left\" must be a number or \"centre\""));
    object.rectMm = QRectF(left, reader.number("top"), width, height);
    object.visible = reader.boolean("visible", true);
    // Pages count from 1 in the file; a report of one page leaves the key out.
    const double page = reader.number("page", 1);
    if (page < 1 || page != std::floor(page) || page > 1000)
        reader.fail(QStringLiteral("\"page\" must be a whole number from 1"));
    object.page = static_cast<int>(page) - 1;

    if (object.kind == ReportObject::Kind::Text)
        readText(reader, context, json, object);
    else
        readPicture(reader, context, object);
    return object;
}

QJsonObject writeObject(const ReportObject& object) {
    QJsonObject json{{"name", object.name},
                     {"left", object.rectMm.left()},
                     {"top", object.rectMm.top()},
                     {"width", object.rectMm.width()},
                     {"height", object.rectMm.height()},
                     {"visible", object.visible}};
    if (object.page > 0)
        json.insert("page", object.page + 1);
    if (object.kind == ReportObject::Kind::Text) {
        json.insert("type", "text");
        json.insert("lines", QJsonArray::fromStringList(object.lines));
        json.insert("family", object.font.family());
        json.insert("size", object.font.pixelSize());
        json.insert("bold", object.font.bold());
        json.insert("italic", object.font.italic());
        const Qt::Alignment a = object.alignment;
        json.insert("valign", a & Qt::AlignTop ? "top" : a & Qt::AlignBottom ? "bottom" : "middle");
        json.insert("halign", a & Qt::AlignHCenter ? "centre" : a & Qt::AlignRight ? "right" : "left");
        json.insert("growWidth", object.growWidth);
        json.insert("maxWidth", object.maxWidthMm);
    } else {
        json.insert("type", "picture");
        if (!object.svg.isEmpty()) {
            json.insert("svg", QString::fromLatin1(object.svg.toBase64()));
        } else if (!object.picture.isNull()) {
            json.insert("png", pngBase64(object.picture));
            json.insert("imageFormat", int(object.picture.format()));
        }
    }
    return json;
}

std::vector<ReportObject> readObjects(const QJsonObject& root, const ReadContext& context) {
    const QJsonValue value = root.value("objects");
    if (!value.isArray())
        fail(context.source, QStringLiteral("\"objects\" must be an array"));
    std::vector<ReportObject> objects;
    QSet<QString> names;
    for (const QJsonValue& entry : value.toArray()) {
        if (!entry.isObject())
            fail(context.source, QStringLiteral("every entry of \"objects\" must be an object"));
        ReportObject object = readObject(entry.toObject(), context);
        // The program finds objects without regard to case, so two spellings of one name would be
        // ambiguous.
        if (names.contains(object.name.toCaseFolded()))
            fail(context.source, QStringLiteral("the name \"%1\" is used twice").arg(object.name));
        names.insert(object.name.toCaseFolded());
        objects.push_back(std::move(object));
    }
    return objects;
}

} // namespace tarvel::report::detail
