#include "report/report_template.h"

#include "report_sample.h"

#include <gtest/gtest.h>

namespace tarvel::report {
namespace {

using test::shippedReport;

QByteArray minimalTemplate(const QByteArray& objects) {
    return R"({"format": "tarvel-report-template", "version": 1, "name": "T",
               "page": {"width": 210, "height": 297, "margin": 10}, "objects": [)" +
           objects + "]}";
}

TEST(ReportTemplate, FindsObjectsWhateverTheCaseOfTheName) {
    ReportTemplate r = shippedReport();
    // The program's spellings and the template's differ in case.
    const std::pair<const char*, const char*> spellings[] = {{"PICTURE4", "Picture4"},
                                                             {"PV_NUM", "PV_Num"},
                                                             {"MPPT_B_V", "MPPT_b_v"},
                                                             {"B_String_v", "B_String_V"},
                                                             {"C_String_v", "C_String_V"}};
    for (const auto& [asked, stored] : spellings) {
        const ReportObject* object = r.findObject(QString::fromLatin1(asked));
        ASSERT_NE(object, nullptr) << asked;
        EXPECT_EQ(object->name, QString::fromLatin1(stored));
    }
    EXPECT_EQ(r.findObject(QStringLiteral("Picture44")), nullptr);
    EXPECT_EQ(std::as_const(r).findObject(QStringLiteral("pv_kw")), r.findObject(QStringLiteral("PV_KW")));
}

TEST(ReportTemplate, SetTextSplitsLinesAtEveryKindOfLineBreak) {
    ReportTemplate r = shippedReport();
    r.setText(QStringLiteral("infomation"), QStringLiteral("one\r\ntwo\rthree\nfour\n\nsix"));
    EXPECT_EQ(r.findObject(QStringLiteral("Infomation"))->lines,
              QStringList({"one", "two", "three", "four", "", "six"}));
    EXPECT_EQ(r.text(QStringLiteral("Infomation")), QStringLiteral("one\ntwo\nthree\nfour\n\nsix"));
    // A CR LF is one break, not two; brackets are kept as written.
    r.setText(QStringLiteral("PV_KW"), QStringLiteral("PV peak power[KWp]\r\n"));
    EXPECT_EQ(r.findObject(QStringLiteral("PV_KW"))->lines, QStringList({"PV peak power[KWp]", ""}));
    r.setText(QStringLiteral("PV_KW"), QString());
    EXPECT_TRUE(r.findObject(QStringLiteral("PV_KW"))->lines.isEmpty());
}

TEST(ReportTemplate, UnknownObjectsAndWrongKindsThrow) {
    ReportTemplate r = shippedReport();
    EXPECT_THROW(r.setText(QStringLiteral("NoSuchField"), QStringLiteral("x")), ReportError);
    EXPECT_THROW(r.text(QStringLiteral("NoSuchField")), ReportError);
    EXPECT_THROW(r.setVisible(QStringLiteral("NoSuchField"), false), ReportError);
    EXPECT_THROW(r.isVisible(QStringLiteral("NoSuchField")), ReportError);
    EXPECT_THROW(r.setPicture(QStringLiteral("NoSuchField"), QImage()), ReportError);
    EXPECT_THROW(r.setText(QStringLiteral("Picture4"), QStringLiteral("x")), ReportError);
    EXPECT_THROW(r.setPicture(QStringLiteral("PV_KW"), QImage(4, 4, QImage::Format_RGB32)), ReportError);
    try {
        r.setText(QStringLiteral("NoSuchField"), QStringLiteral("x"));
    } catch (const ReportError& error) {
        EXPECT_NE(std::string(error.what()).find("NoSuchField"), std::string::npos);
    }
}

TEST(ReportTemplate, VisibilityIsPerObject) {
    ReportTemplate r = shippedReport();
    EXPECT_TRUE(r.isVisible(QStringLiteral("A_LINE")));
    r.setVisible(QStringLiteral("a_line"), false);
    EXPECT_FALSE(r.isVisible(QStringLiteral("A_LINE")));
    EXPECT_TRUE(r.isVisible(QStringLiteral("B_LINE")));
    r.setVisible(QStringLiteral("A_LINE"), true);
    EXPECT_TRUE(r.isVisible(QStringLiteral("A_LINE")));
}

TEST(ReportTemplate, SetPictureKeepsACopyAndReplacesTheArtwork) {
    ReportTemplate r = shippedReport();
    ASSERT_FALSE(r.findObject(QStringLiteral("Picture4"))->svg.isEmpty()); // the placeholder drawing
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    r.setPicture(QStringLiteral("PICTURE4"), picture);
    picture.fill(Qt::blue); // the caller goes on using its image
    const ReportObject* object = r.findObject(QStringLiteral("Picture4"));
    EXPECT_TRUE(object->svg.isEmpty());
    EXPECT_EQ(object->picture.size(), QSize(8, 6));
    EXPECT_EQ(object->picture.pixel(3, 3), QColor(Qt::red).rgb());
    r.setPicture(QStringLiteral("Picture4"), QImage());
    EXPECT_TRUE(r.findObject(QStringLiteral("Picture4"))->picture.isNull());
}

struct Placed {
    QString name;
    QRectF rect;
};

// The layout of the shipped template as the report was drawn.
std::vector<Placed> expectedLayout() {
    std::vector<Placed> p;
    auto add = [&](const char* name, double l, double t, double w, double h) {
        p.push_back({QString::fromLatin1(name), QRectF(l, t, w, h)});
    };
    add("Picture7", 0, 0, 21, 7);
    add("Picture5", -1, 47, 192, 61);
    add("Picture1", 2.5, 49, 30, 6);
    add("Picture3", 46.5, 48, 30, 6);
    add("IVT_BACK_PIC", -1, 109, 192, 61);
    add("Picture2", 2.5, 111, 30, 6);
    add("IVT_PIC_Back", -1, 170, 192, 63);
    add("Picture4", 96.5, 175, 21, 37);
    add("Picture6", 141, 188, 12, 11);
    add("PRO_DES_UNIT", 0.5, 13, 59, 7);
    add("PRO_DES_UNIT_Val", 64, 13, 116, 7);
    add("PRO_DES_PER", 0.5, 22, 59, 7);
    add("PRO_DES_PER_Val", 64, 22, 116, 7);
    add("PRO_DES", 0.5, 32, 30, 5);
    add("PRO_DES_Val", 40.5, 32, 69, 5);
    add("PRO_TEMPER", 0.5, 39, 30, 5);
    add("PRO_TEMPER_Val", 40.5, 39, 69, 5);
    add("Tilt_Angle", 132.5, 32, 29, 5);
    add("Tilt_Val", 161.5, 32, 21, 5);
    add("Azimuth_Angle", 132.5, 39, 29, 5);
    add("Azimuth_Val", 161.5, 39, 21, 5);
    add("PV_KW", 2.5, 58, 29, 11);
    add("KW_Val", 32.5, 58, 13, 11);
    add("PV_Num", 2.5, 74, 29, 11);
    add("NUM_Val", 32.5, 74, 13, 11);
    add("PV_M2", 2.5, 90, 29, 11);
    add("M2_Val", 32.5, 90, 13, 11);
    struct Column {
        double left;
        const char* names[13];
    };
    const Column columns[] = {
        {47,
         {"A_LINE", "pvm_a_name", "pvm_a_info", "MPPT_A_V", "pvm_a_v", "MPPT_A_I", "pvm_a_i", "MPPT_A_KW",
          "pvm_a_kw", "A_String", "A_String_v", "A_Shunt", "A_Shunt_V"}},
        {95,
         {"B_LINE", "pvm_b_name", "pvm_b_info", "MPPT_b_v", "pvm_b_v", "MPPT_B_I", "pvm_b_i", "MPPT_B_KW",
          "pvm_b_kw", "B_String", "B_String_V", "B_Shunt", "B_Shunt_V"}},
        {142.5,
         {"C_LINE", "pvm_c_name", "pvm_c_info", "MPPT_C_V", "pvm_c_v", "MPPT_C_I", "pvm_c_i", "MPPT_C_KW",
          "pvm_c_kw", "C_String", "C_String_V", "C_Shunt", "C_Shunt_V"}},
    };
    for (const Column& c : columns) {
        const bool isB = c.left == 95;
        const double shifted = c.left == 142.5 ? 26 : 25.5;
        const double powerTop = isB ? 85.0 : 85.9;
        const char* const* n = c.names;
        add(n[0], c.left, 54, 40, 5);
        add(n[1], c.left, 59.8, 40, 5);
        add(n[2], c.left, 65.6, 40, 5);
        add(n[3], c.left, 72.7, 25, 4.5);
        add(n[4], c.left + 25.5, 72.7, 14, 4.5);
        add(n[5], c.left, 79.3, 25, 4.5);
        add(n[6], c.left + shifted, 79.3, 14, 4.5);
        add(n[7], c.left, powerTop, 25, 4.5);
        add(n[8], c.left + shifted, powerTop, 14, 4.5);
        add(n[9], c.left, 92.4, 29, 4.5);
        add(n[10], c.left + 29.5, 92.4, 10, 4.5);
        add(n[11], c.left, 99.0, 29, 4.5);
        add(n[12], c.left + 29.5, 99.0, 10, 4.5);
    }
    add("IVT_KIND", 37.5, 111, 54, 5);
    add("ivt_kind_v", 128.5, 111, 88, 5);
    const char* leftPairs[][2] = {{"IVT_MDCKW", "ivt_mdc_v"},
                                  {"IVT_MACKW", "ivt_mac_v"},
                                  {"IVT_Rated", "ivt_rated_v"},
                                  {"IVT_Efficiency", "ivt_e_v"},
                                  {"IVT_YEARKW", "ivt_yearkw_v"}};
    const char* rightPairs[][2] = {{"IVT_EU_Efficiency", "ivt_e_e_v"},
                                   {"IVT_MAX_Efficiency", "ivt_m_e_v"},
                                   {"IVT_NET_V", "ivt_v_v"},
                                   {"IVT_NET_HZ", "ivt_hz_v"},
                                   {"IVT_IPV", "ivt_ipv_v"}};
    for (int row = 0; row < 5; ++row) {
        const double top = 119 + 8.5 * row;
        add(leftPairs[row][0], 7.5, top, 56, 5);
        add(leftPairs[row][1], 65.5, top, 25, 5);
        add(rightPairs[row][0], 103.5, top, 58, 5);
        add(rightPairs[row][1], 163.5, top, 25, 5);
    }
    add("Design_Temp", 12, 223, 69, 5);
    add("Infomation", 0.5, 233, 189, 22);
    return p;
}

TEST(ShippedReport, EveryObjectOfTheLayoutIsInPlace) {
    const ReportTemplate r = shippedReport();
    EXPECT_EQ(r.name(), QStringLiteral("TarvelReport"));
    EXPECT_EQ(r.pageSizeMm(), QSizeF(210, 297));
    EXPECT_EQ(r.marginMm(), 10);
    const std::vector<Placed> layout = expectedLayout();
    EXPECT_EQ(r.objects().size(), layout.size());
    for (const Placed& placed : layout) {
        const ReportObject* object = r.findObject(placed.name);
        ASSERT_NE(object, nullptr) << placed.name.toStdString();
        EXPECT_EQ(object->name, placed.name) << "spelt differently";
        EXPECT_NEAR(object->rectMm.left(), placed.rect.left(), 1e-9) << placed.name.toStdString();
        EXPECT_NEAR(object->rectMm.top(), placed.rect.top(), 1e-9) << placed.name.toStdString();
        EXPECT_NEAR(object->rectMm.width(), placed.rect.width(), 1e-9) << placed.name.toStdString();
        EXPECT_NEAR(object->rectMm.height(), placed.rect.height(), 1e-9) << placed.name.toStdString();
        EXPECT_EQ(object->kind == ReportObject::Kind::Picture, placed.name.startsWith(u"Picture") ||
                                                                   placed.name.startsWith(u"IVT_BACK") ||
                                                                   placed.name == u"IVT_PIC_Back")
            << placed.name.toStdString();
    }
}

TEST(ShippedReport, ArtworkComesFirstAndFontsFollowTheLayout) {
    const ReportTemplate r = shippedReport();
    bool textSeen = false;
    for (const ReportObject& object : r.objects()) {
        if (object.kind == ReportObject::Kind::Text) {
            textSeen = true;
        } else {
            EXPECT_FALSE(textSeen) << object.name.toStdString() << " would cover a text";
        }
        if (object.kind == ReportObject::Kind::Picture) {
            EXPECT_FALSE(object.svg.isEmpty()) << object.name.toStdString();
        }
    }
    auto font = [&](const char* name) { return r.findObject(QString::fromLatin1(name))->font; };
    auto align = [&](const char* name) { return r.findObject(QString::fromLatin1(name))->alignment; };
    EXPECT_EQ(font("PRO_DES_UNIT_Val").pixelSize(), 19);
    EXPECT_TRUE(font("PRO_DES_UNIT_Val").bold());
    EXPECT_EQ(font("IVT_KIND").pixelSize(), 13);
    EXPECT_TRUE(font("ivt_kind_v").bold());
    EXPECT_EQ(font("Design_Temp").pixelSize(), 12);
    EXPECT_TRUE(font("Design_Temp").bold());
    EXPECT_EQ(font("ivt_e_v").pixelSize(), 12);
    EXPECT_FALSE(font("ivt_e_v").bold());
    EXPECT_EQ(font("ivt_e_v").family(), QStringLiteral("Arial"));
    EXPECT_TRUE(align("PRO_DES") & Qt::AlignTop);
    EXPECT_TRUE(align("Azimuth_Angle") & Qt::AlignTop);
    EXPECT_TRUE(align("Azimuth_Val") & Qt::AlignVCenter);
    EXPECT_TRUE(align("PV_KW") & Qt::AlignVCenter);
    for (const char* grows :
         {"PRO_DES_Val", "PRO_TEMPER", "PRO_TEMPER_Val", "A_LINE", "pvm_b_name", "pvm_c_info"})
        EXPECT_TRUE(r.findObject(QString::fromLatin1(grows))->growWidth) << grows;
    EXPECT_FALSE(r.findObject(QStringLiteral("PRO_DES"))->growWidth);
    EXPECT_FALSE(r.findObject(QStringLiteral("Infomation"))->growWidth);
}

TEST(ReportTemplate, MalformedTemplatesAreRefused) {
    const QByteArray text = R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5})";
    const QByteArray broken[] = {
        "not json",
        "[]",
        R"({"format": "tarvel-report-template", "version": 2, "name": "T",
            "page": {"width": 210, "height": 297, "margin": 10}, "objects": []})",
        R"({"format": "tarvel-report-template", "version": 1, "name": "T", "objects": []})",
        R"({"format": "tarvel-report-template", "version": 1, "name": "T",
            "page": {"width": 210, "height": 297, "margin": 10}})",
        minimalTemplate(R"({"type": "text", "left": 0, "top": 0, "width": 10, "height": 5})"),
        minimalTemplate(R"({"name": "F", "type": "chart", "left": 0, "top": 0, "width": 10, "height": 5})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": "0", "top": 0, "width": 10, "height": 5})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": -1, "height": 5})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5,
                            "growwidth": true})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5,
                            "maxWidth": 20})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5,
                            "growWidth": true, "maxWidth": -1})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5,
                            "valign": "center"})"),
        minimalTemplate(R"({"name": "F", "type": "text", "left": 0, "top": 0, "width": 10, "height": 5,
                            "size": 9.5})"),
        minimalTemplate(R"({"name": "P", "type": "picture", "left": 0, "top": 0, "width": 10, "height": 5,
                            "svg": "bm90IGFuIHN2Zw=="})"),
        minimalTemplate(R"({"name": "P", "type": "picture", "left": 0, "top": 0, "width": 10, "height": 5,
                            "file": "missing.svg"})"),
        minimalTemplate(text + ", " + QByteArray(text).replace("\"F\"", "\"f\"")),
    };
    for (const QByteArray& json : broken)
        EXPECT_THROW(ReportTemplate::fromJson(json, QStringLiteral(":/report")), ReportError)
            << json.constData();
    EXPECT_NO_THROW(ReportTemplate::fromJson(minimalTemplate(text)));
    EXPECT_THROW(ReportTemplate::load(QStringLiteral(":/report/NoSuchReport.json")), ReportError);
}

TEST(ReportTemplate, CentredObjectsAndDefaultsAreResolvedOnReading) {
    const ReportTemplate r = ReportTemplate::fromJson(minimalTemplate(
        R"({"name": "Box", "type": "picture", "left": "centre", "top": 3, "width": 50, "height": 5},
           {"name": "Caption", "type": "text", "left": 1, "top": 2, "width": 30, "height": 5,
            "text": "a\r\nb", "valign": "bottom", "halign": "right"})"));
    EXPECT_EQ(r.findObject(QStringLiteral("Box"))->rectMm, QRectF(70, 3, 50, 5));
    const ReportObject* caption = r.findObject(QStringLiteral("caption"));
    EXPECT_EQ(caption->lines, QStringList({"a", "b"}));
    EXPECT_EQ(caption->alignment, Qt::AlignBottom | Qt::AlignRight);
    EXPECT_EQ(caption->font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(caption->font.pixelSize(), 12);
    EXPECT_TRUE(caption->visible);
}

} // namespace
} // namespace tarvel::report
