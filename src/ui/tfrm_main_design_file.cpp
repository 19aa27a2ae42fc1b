// Design files: saving the user's inputs and opening them again by replaying them through the
// handlers a user would trigger, so every result is computed by the usual path.

#include "ui/tfrm_main.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "design/design_file.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "io/file_io.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>

namespace tarvel {
namespace {

// Picks an entry as a user would pick it; false when the chooser does not list it.
bool pick(QComboBox* chooser, const QString& entry) {
    const int index = chooser->findText(entry, Qt::MatchExactly);
    if (index < 0)
        return false;
    chooser->setCurrentIndex(index);
    return true;
}

const char* const kMaterials[2] = {"Cu", "Al"};

// Design files are a few kilobytes; a file far larger than any design is refused unread.
constexpr qint64 kMaxDesignFileBytes = 4 << 20;

// Why a file could not be used, in the interface language where the words are the program's own.
QString reasonOf(const io::FileError& error) {
    switch (error.kind()) {
    case io::FileError::Kind::NotRegularFile:
        return res(rs::NotARegularFile);
    case io::FileError::Kind::TooLarge:
        return res(rs::TooLargeForADesign);
    case io::FileError::Kind::Incomplete:
        return res(rs::FileWrittenIncompletely);
    case io::FileError::Kind::System:
        break;
    }
    return QString::fromUtf8(error.what());
}

} // namespace

Dialogs& Tfrm_main::dialogs() {
    return m_collector ? *m_collector : m_ctx.dialogs;
}

DesignFile Tfrm_main::captureDesign() const {
    DesignFile d;
    d.country = ui.ComboBox1->currentText();
    d.city = ui.ComboBox2->currentText();
    d.maxModuleTemp = ui.SpinEdit1->text().toInt();
    d.minModuleTemp = ui.SpinEdit2->text().toInt();
    d.designTemp = ui.SpinEdit3->text().toInt();
    d.roofPitch = ui.SpinEdit4->text().toInt();
    d.azimuth = ui.SpinEdit5->text().toInt();
    d.inverter = ui.ComboBox17->currentText();
    for (InputId id : kAllInputs) {
        const StringInputUi& in = inputUi(id);
        DesignFile::StringInput& out = d.inputs[static_cast<std::size_t>(id)];
        out.maker = in.maker->currentText();
        out.moduleType = in.type->currentText();
        out.strings = in.strings->text().toInt();
        out.modulesPerString = in.modulesPerString->text().toInt();
    }
    for (std::size_t run = 0; run < 4; ++run) {
        const CableRunUi& c = ui.cables[run];
        DesignFile::Cable& out = d.cables[run];
        // The material is stored by its place in the list, whatever language shows it.
        out.material = QString::fromLatin1(kMaterials[c.material->currentIndex() == 1 ? 1 : 0]);
        out.lengthM = std::max(1, c.length->text().toInt());
        out.crossSection = c.crossSection->currentText();
    }
    d.designUnit = ui.Edit2->text();
    d.designer = ui.Edit3->text();
    return d;
}

// A save that fails leaves an earlier file of that name as it was.
void Tfrm_main::saveDesign(const QString& path) const {
    try {
        io::writeFileReplacing(path, writeDesignFile(captureDesign()));
    } catch (const io::FileError& error) {
        throw DesignFileError(
            QStringLiteral("%1 %2: %3").arg(res(rs::DesignNotSaved), path, reasonOf(error)).toStdString());
    }
}

// Reads the whole file first: a file that cannot be read or is malformed leaves the design as it is.
// Only a regular file of a design's size is read (a device or a pipe could hang or fill the memory).
Tfrm_main::OpenResult Tfrm_main::openDesign(const QString& path) {
    QByteArray content;
    try {
        content = io::readRegularFile(path, kMaxDesignFileBytes);
    } catch (const io::FileError& error) {
        throw DesignFileError(QStringLiteral("%1: %2").arg(path, reasonOf(error)).toStdString());
    }
    const DesignFile design = readDesignFile(content);
    CollectingDialogs collector(m_ctx.dialogs);
    m_collector = &collector;
    OpenResult result;
    try {
        result.skipped = replayDesign(design);
    } catch (...) {
        m_collector = nullptr;
        throw;
    }
    m_collector = nullptr;
    result.messages = collector.texts();
    return result;
}

QStringList Tfrm_main::replayDesign(const DesignFile& d) {
    QStringList skipped;
    auto run = [this](void (Tfrm_main::*handler)()) {
        reportErrors(dialogs(), this, [this, handler] { (this->*handler)(); });
    };
    new_project();
    if (!d.country.isEmpty()) {
        if (pick(ui.ComboBox1, d.country)) {
            run(&Tfrm_main::ComboBox1Change);
            if (!d.city.isEmpty()) {
                if (pick(ui.ComboBox2, d.city))
                    run(&Tfrm_main::ComboBox2Change);
                else
                    skipped << res(rs::SkippedCity) + u' ' + d.city;
            }
        } else {
            skipped << res(rs::SkippedCountry) + u' ' + d.country;
        }
    }
    ui.SpinEdit1->setText(QString::number(d.maxModuleTemp));
    ui.SpinEdit2->setText(QString::number(d.minModuleTemp));
    ui.SpinEdit3->setText(QString::number(d.designTemp));
    ui.SpinEdit4->setText(QString::number(d.roofPitch));
    ui.SpinEdit5->setText(QString::number(d.azimuth));
    if (!d.inverter.isEmpty()) {
        if (pick(ui.ComboBox17, d.inverter))
            run(&Tfrm_main::ComboBox17Change);
        else
            skipped << res(rs::SkippedInverter) + u' ' + d.inverter;
    }
    for (InputId id : kAllInputs)
        replayInput(id, d.inputs[static_cast<std::size_t>(id)], skipped);
    for (int cable = kCableDcA; cable <= kCableAc; ++cable)
        replayCable(cable, d.cables[static_cast<std::size_t>(cable)]);
    ui.Edit2->setText(d.designUnit);
    ui.Edit3->setText(d.designer);
    return skipped;
}

void Tfrm_main::replayInput(InputId id, const DesignFile::StringInput& in, QStringList& skipped) {
    StringInputUi& controls = inputUi(id);
    const QString input = controls.group->title();
    if (in.maker.isEmpty())
        return;
    if (!pick(controls.maker, in.maker)) {
        skipped << QStringLiteral("%1 %2: %3").arg(res(rs::SkippedMaker), input, in.maker);
        return;
    }
    reportErrors(dialogs(), this, [this, id] { makerChanged(id); });
    if (in.moduleType.isEmpty())
        return;
    if (!pick(controls.type, in.moduleType)) {
        skipped << QStringLiteral("%1 %2: %3").arg(res(rs::SkippedModule), input, in.moduleType);
        return;
    }
    typeChanged(id);
    controls.strings->setText(QString::number(in.strings));
    controls.modulesPerString->setText(QString::number(in.modulesPerString));
}

void Tfrm_main::replayCable(int run, const DesignFile::Cable& cable) {
    const CableRunUi& controls = ui.cables[static_cast<std::size_t>(run)];
    controls.material->setCurrentIndex(cable.material == QStringLiteral("Al") ? 1 : 0);
    cableControlChanged(run);
    controls.length->setText(QString::number(cable.lengthM));
    if (pick(controls.crossSection, cable.crossSection))
        cableControlChanged(run);
}

// Menu "Open Design...": the replay's message boxes are shown together at the end, and what the
// catalog no longer has is listed in one message.
void Tfrm_main::OpenDesignClick() {
    if (!maySetDesignAside())
        return;
    const QString path = m_ctx.dialogs.openDesignFile(this);
    if (path.isEmpty())
        return;
    openDesignFile(path);
}

void Tfrm_main::showOpenResult(const OpenResult& result) {
    if (!result.messages.isEmpty())
        m_ctx.dialogs.message(this, result.messages.join(u'\n'));
    if (!result.skipped.isEmpty())
        m_ctx.dialogs.message(this, res(rs::DesignSkipped) + u'\n' + result.skipped.join(u'\n'));
}

void Tfrm_main::openDesignAfterRestart(const QString& path, const QString& designName, bool modified) {
    reportErrors(m_ctx.dialogs, this, [this, &path] { showOpenResult(openDesign(path)); });
    // Only the temporary file a language change made is deleted, whatever the command line names.
    if (isRestartDesignFile(path))
        QFile::remove(path);
    if (!designName.isEmpty()) {
        adoptDesign(designName);
        if (modified)
            m_savedDesign.reset();
    }
    designChanged();
}

void Tfrm_main::openFromCommandLine(const QStringList& arguments) {
    const auto valueOf = [&arguments](const char* option) {
        const qsizetype at = arguments.indexOf(QLatin1String(option));
        return at > 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
    };
    // A file named on its own is how the desktop entry starts the program for a double-clicked
    // design ("tarvel DESIGN.tpvd"); it is a user's design like the one after --open-design.
    const auto namedOnItsOwn = [&arguments] {
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            for (const char* option : {kOpenDesignOption, kRestartDesignOption, kDesignNameOption})
                if (arguments[i] == QLatin1String(option))
                    ++i; // its value
            if (i < arguments.size() && !arguments[i].startsWith(u'-'))
                return arguments[i];
        }
        return QString();
    };
    QString user = valueOf(kOpenDesignOption);
    if (user.isEmpty())
        user = namedOnItsOwn();
    if (const QString restart = valueOf(kRestartDesignOption); !restart.isEmpty())
        openDesignAfterRestart(restart, valueOf(kDesignNameOption),
                               arguments.contains(QLatin1String(kDesignModifiedOption)));
    else if (!user.isEmpty())
        reportErrors(m_ctx.dialogs, this, [this, &user] { openDesignFile(user); });
}

void Tfrm_main::SaveDesignClick() {
    if (m_designPath.isEmpty()) {
        SaveDesignAsClick();
        return;
    }
    saveDesign(m_designPath);
    adoptDesign(m_designPath);
}

} // namespace tarvel
