#include "support/main_window_fixture.h"

#include "i18n/resource_strings.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>

namespace tarvel::test {
namespace {

TCountryInfo location(const char* country, const char* city, double latitude, double height) {
    TCountryInfo l;
    l.country = QString::fromUtf8(country);
    l.city = QString::fromUtf8(city);
    l.Latitude = latitude;
    l.height = height;
    l.months = {60, 90, 130, 170, 210, 230, 220, 190, 150, 100, 65, 50};
    l.Year0 = 138.8;
    return l;
}

TPanelInfo module(const char* maker, const char* type, double power) {
    TPanelInfo m;
    m.product_name = QString::fromUtf8(maker);
    m.strings_type = QString::fromUtf8(type);
    m.power = power;
    m.MPP_V = 30.5;
    m.mpp_i = 8.2;
    m.kailu_V = 37.5;
    m.duanlu_i = 8.5;
    m.area = 1.6;
    m.kailu_kx = -0.34;
    m.mpp_mx = -150;
    return m;
}

} // namespace

TInverterInfo sampleInverter(const char* name, const char* dcMax, const char* acMax, const char* maxI) {
    TInverterInfo v;
    v.inverter_type = QString::fromLatin1(name);
    v.work_temp = QStringLiteral("-25~+60C");
    v.protect_grade = QStringLiteral("IP65");
    v.noise_grade = QStringLiteral("<30");
    v.pinterface = QStringLiteral("RS485");
    v.geli_type = QStringLiteral("Transformerless");
    v.ssize = QStringLiteral("400*300*150");
    v.weight = QStringLiteral("12Kg");
    v.power_DC_MAX = QString::fromLatin1(dcMax);
    v.max_v = QStringLiteral("1000");
    v.MPP_min = QStringLiteral("200");
    v.mpp_range = QStringLiteral("200-850");
    v.input_maxI = QString::fromLatin1(maxI);
    v.wire_type = QStringLiteral("MC4");
    v.output_ACpower = QStringLiteral("8.0");
    v.output_ACpower_max = QString::fromLatin1(acMax);
    v.range_v = QStringLiteral("320-460VAC");
    v.range_hz = QStringLiteral("50Hz");
    v.zongxiebo = QStringLiteral("<3%");
    v.factor_power = QStringLiteral(">0.99");
    v.xiaolv_max = QStringLiteral("98.1%");
    v.xiaolv_ouzhou = QStringLiteral("97.6%");
    v.xiaolv_erding = QStringLiteral("0.976");
    v.xiaolv_zuida = QStringLiteral("0.981");
    return v;
}

QString writeEmptyDictionary(const QString& dir) {
    const QString path = QDir(dir).filePath(QStringLiteral("chinatoEN.lng"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("DDKey,CodePage,SeqNo,DisplayValue,\r\n");
    return path;
}

void fillSmallCatalog(TempCatalog& temp) {
    Catalog& c = temp.catalog();
    c.locationInsert(location("Germany", "Munich", 48.14, 519));
    c.locationInsert(location("Germany", "Berlin", 52.52, 34));
    c.locationInsert(location("Australia", "Sydney", -33.87, 58));
    c.locationInsert(location("France", "Paris", 48.86, 35));
    c.moduleInsert(module("Alpha", "A-250", 250));
    c.moduleInsert(module("Alpha", "A-300", 300));
    c.moduleInsert(module("Beta", "B-310", 310));
    c.inverterInsert(sampleInverter("KT5000-S", "6.2", "5.0", "18"));
    c.inverterInsert(sampleInverter("KT3000-S", "3.60", "3.3", "12"));
}

MainWindowFixture::MainWindowFixture(const QString& languageIni, const Filler& fill,
                                     const QString& dictionary) {
    if (fill)
        fill(catalog);
    iniPath = settingsDir.filePath(QStringLiteral("Language.ini"));
    if (!languageIni.isEmpty()) {
        QFile ini(iniPath);
        if (ini.open(QIODevice::WriteOnly))
            ini.write(languageIni.toUtf8());
    }
    dictionaryPath = dictionary.isEmpty() ? writeEmptyDictionary(settingsDir.path()) : dictionary;
    dm = std::make_unique<TDM>(settings, platform, dialogs, iniPath, catalog.path(), dictionaryPath);
    context = std::make_unique<AppContext>(AppContext{settings, *dm, dialogs, platform});
    m_window = std::make_unique<Tfrm_main>(*context);
}

MainWindowFixture::~MainWindowFixture() {
    m_window.reset();
    // A language change keeps the design in a temporary file for a restart no test makes.
    discardRestartDesign(settings);
    for (const QStringList& arguments : platform.startArguments) {
        const qsizetype option = arguments.indexOf(QString::fromLatin1(kRestartDesignOption));
        if (!platform.keepHandedOverDesigns && option >= 0 && option + 1 < arguments.size() &&
            isRestartDesignFile(arguments[option + 1]))
            QFile::remove(arguments[option + 1]);
    }
    ResourceTranslator::instance().switchOff();
}

QString MainWindowFixture::text(const QString& labelName) {
    if (auto* label = m_window->findChild<QLabel*>(labelName))
        return label->text();
    if (auto* edit = m_window->findChild<QLineEdit*>(labelName))
        return edit->text();
    if (auto* spin = m_window->findChild<SpinEdit*>(labelName))
        return spin->text();
    if (auto* memo = m_window->findChild<Memo*>(labelName))
        return memo->text();
    if (auto* chooser = m_window->findChild<QComboBox*>(labelName))
        return chooser->currentText();
    throw std::runtime_error("no text control " + labelName.toStdString());
}

void MainWindowFixture::choose(const QString& chooserName, const QString& entry) {
    auto* chooser = find<QComboBox>(chooserName);
    const int index = chooser->findText(entry, Qt::MatchExactly);
    if (index < 0)
        throw std::runtime_error("no entry " + entry.toStdString() + " in " + chooserName.toStdString());
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
}

void MainWindowFixture::type(const QString& fieldName, const QString& text) {
    if (auto* spin = m_window->findChild<SpinEdit*>(fieldName)) {
        spin->setText(text);
        return;
    }
    find<QLineEdit>(fieldName)->setText(text);
}

QList<bool> MainWindowFixture::enabledPages() {
    auto* pages = find<QTabWidget>(QStringLiteral("RzPageControl1"));
    QList<bool> enabled;
    for (int i = 0; i < pages->count(); ++i)
        enabled.append(pages->isTabEnabled(i));
    return enabled;
}

namespace {

QByteArray jpegFile(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

} // namespace

QByteArray jpegOf(Qt::GlobalColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return jpegFile(image);
}

QByteArray noisyJpeg(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator generator(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, generator.generate() | 0xff000000u);
    return jpegFile(image);
}

QStringList samplePanelTexts(const QString& maker, const QString& type, const QString& material) {
    return {maker,
            type,
            QStringLiteral("136"),
            QStringLiteral("30.00"),
            QStringLiteral("4.60"),
            QStringLiteral("36.00"),
            QStringLiteral("4.90"),
            QStringLiteral("715"),
            QStringLiteral("10.60"),
            QStringLiteral("1.28"),
            material,
            QStringLiteral("-0.33"),
            QStringLiteral("0.05"),
            QStringLiteral("-118.80"),
            QStringLiteral("2.45")};
}

} // namespace tarvel::test
