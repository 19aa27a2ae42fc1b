#include "ui/catalog_dialog.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace tarvel {

CharacterFilter::CharacterFilter(Accepts accepts, QObject* parent) : QValidator(parent), m_accepts(accepts) {}

QValidator::State CharacterFilter::validate(QString& input, int& pos) const {
    QString kept;
    int keptBeforeCursor = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        const bool accepted =
            (c >= u'0' && c <= u'9') || c == u'.' || (m_accepts == Accepts::Signed && c == u'-');
        if (!accepted)
            continue;
        kept.append(c);
        if (i < pos)
            ++keptBeforeCursor;
    }
    input = kept;
    pos = keptBeforeCursor;
    return Acceptable;
}

CatalogDialog::CatalogDialog(AppContext& context, const QString& caption, int fieldCount, QWidget* parent)
    : QDialog(parent), m_ctx(context), LangReplacer(new TAcroMultiReplacer(this)),
      m_fields(static_cast<std::size_t>(fieldCount), nullptr) {
    setWindowTitle(caption);
    setModal(true);
    useStoredFormOptions(*LangReplacer);
}

void CatalogDialog::componentsLoaded() {
    if (LangReplacer->AutoReplace)
        LangReplacer->Replace();
}

QLineEdit* CatalogDialog::addField(QGridLayout* grid, int row, int number, const QString& caption,
                                   int column) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(number));
    edit->setMinimumWidth(150);
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    m_fields[static_cast<std::size_t>(number - 1)] = edit;
    return edit;
}

void CatalogDialog::filter(int first, int last, CharacterFilter::Accepts accepts) {
    for (int number = first; number <= last; ++number)
        field(number)->setValidator(new CharacterFilter(accepts, field(number)));
}

bool CatalogDialog::allFieldsFilled() {
    for (QLineEdit* edit : m_fields) {
        if (edit->text().isEmpty()) {
            edit->setFocus();
            showMessage(res(rs::FillInAllFields));
            return false;
        }
    }
    return true;
}

void CatalogDialog::clearFields() {
    for (QLineEdit* edit : m_fields)
        edit->clear();
}

void CatalogDialog::showMessage(const QString& text) {
    m_ctx.dialogs.message(this, text);
}

void CatalogDialog::applyLanguage() {
    LangReplacer->OwnerOption().setCodePage(QString::number(m_ctx.settings.LanguageCodePage));
    LangReplacer->Replace();
}

QPushButton* CatalogDialog::makeButton(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

double CatalogDialog::number(int fieldNumber) const {
    try {
        return textToDouble(field(fieldNumber)->text());
    } catch (const ConversionError&) {
        field(fieldNumber)->setFocus();
        throw;
    }
}

double CatalogDialog::numberIn(int fieldNumber, double low, double high, bool aboveLow) const {
    const double value = number(fieldNumber);
    if ((aboveLow ? value > low : value >= low) && value <= high)
        return value;
    field(fieldNumber)->setFocus();
    throw ConversionError(
        QStringLiteral("'%1' is out of range").arg(field(fieldNumber)->text()).toStdString());
}

double CatalogDialog::positive(int fieldNumber) const {
    return numberIn(fieldNumber, 0, std::numeric_limits<double>::max(), true);
}

} // namespace tarvel
