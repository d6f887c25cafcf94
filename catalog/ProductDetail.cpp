#include "catalog/ProductDetail.h"

#include "catalog/BarcodeView.h"
#include "catalog/ProductStore.h"
#include "catalog/modBarCode.h"
#include "data/UserPrompts.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Boxes, their names and their place on the form: row, column (of two) and
// how many columns they span.
struct BoxPlace
{
    ProductField field;
    const char *name;
    int row, column, span;
};

const BoxPlace kPlaces[] = {
    {ProductField::Barcode, "txtUPC", 0, 0, 1},
    {ProductField::Category, "txtCategory", 0, 1, 1},
    {ProductField::Description, "txtDescription", 1, 0, 2},
    {ProductField::ModelNumber, "txtModelNumber", 2, 0, 1},
    {ProductField::PartNumber, "txtPartNumber", 2, 1, 1},
    {ProductField::Cost, "txtCost", 3, 0, 1},
    {ProductField::Msrp, "txtMSRP", 3, 1, 1},
    {ProductField::Price, "txtPrice", 4, 0, 1},
    {ProductField::Qoh, "txtQOH", 4, 1, 1},
    {ProductField::Gm, "txtGM", 5, 0, 1},
};

bool drawsPicture(ProductField field)
{
    return field == ProductField::Barcode || field == ProductField::ModelNumber || field == ProductField::Description;
}

} // namespace

ProductDetail::ProductDetail(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ProductDetail1"));
    picProductDetail = new QWidget(this);
    picProductDetail->setObjectName(QStringLiteral("picProductDetail"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(picProductDetail);
    auto *panel = new QVBoxLayout(picProductDetail);
    panel->setContentsMargins(8, 8, 8, 8);
    buildFields(picProductDetail);
    buildPictures(picProductDetail);
    Frame1->hide();
    refreshPicture();
}

QLineEdit *ProductDetail::addBox(ProductField field, const char *name)
{
    auto *box = new QLineEdit(picProductDetail);
    box->setObjectName(QLatin1String(name));
    m_boxes[size_t(field)] = box;
    connect(box, &QLineEdit::textChanged, this, [this, field] { boxEdited(field); });
    if (ProductStore::IsNumeric(field)) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::returnPressed, this, [this, field] { settleEdit(field); });
    }
    return box;
}

void ProductDetail::buildFields(QWidget *panel)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (const BoxPlace &p : kPlaces) {
        auto *label = new QLabel(ProductStore::LabelOf(p.field), panel);
        QLineEdit *box = addBox(p.field, p.name);
        label->setBuddy(box);
        const int col = p.column * 3;
        grid->addWidget(label, p.row, col);
        if (p.field == ProductField::Gm) {
            auto *withPercent = new QHBoxLayout;
            withPercent->addWidget(box);
            withPercent->addWidget(new QLabel(QStringLiteral("%"), panel));
            grid->addLayout(withPercent, p.row, col + 1);
        } else {
            grid->addWidget(box, p.row, col + 1, 1, p.span == 2 ? 4 : 1);
        }
        if (ProductStore::IsNumeric(p.field))
            box->setAlignment(Qt::AlignRight);
    }
    grid->setColumnMinimumWidth(2, 12);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    static_cast<QVBoxLayout *>(panel->layout())->addLayout(grid);
}

void ProductDetail::buildPictures(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    layout->addSpacing(10);
    layout->addWidget(new QLabel(QStringLiteral("UPC"), panel));
    Picture1 = new BarcodeView(panel);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    layout->addWidget(Picture1);
    Command2 = new QPushButton(QStringLiteral("Print UPC"), panel);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    auto *printRow = new QHBoxLayout;
    printRow->addWidget(Command2);
    printRow->addStretch(1);
    layout->addLayout(printRow);

    Frame1 = new QGroupBox(QStringLiteral("Confirm New Product"), panel);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *confirm = new QHBoxLayout(Frame1);
    Command1 = new QPushButton(QStringLiteral("Cancel"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    cmdCreateNew = new QPushButton(QStringLiteral("Save New Item"), Frame1);
    cmdCreateNew->setObjectName(QStringLiteral("cmdCreateNew"));
    for (QPushButton *b : {Command1, cmdCreateNew})
        b->setAutoDefault(false);
    confirm->addWidget(Command1);
    confirm->addWidget(cmdCreateNew);
    confirm->addStretch(1);
    layout->addWidget(Frame1);

    layout->addWidget(new QLabel(QStringLiteral("Image"), panel));
    Picture2 = new QFrame(panel);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFrameShape(QFrame::StyledPanel);
    Picture2->setMinimumHeight(120);
    layout->addWidget(Picture2, 1);

    connect(Command2, &QPushButton::clicked, this, &ProductDetail::onPrintUpc);
    connect(Command1, &QPushButton::clicked, this, &ProductDetail::onCancelNew);
    connect(cmdCreateNew, &QPushButton::clicked, this, &ProductDetail::onSaveNew);
}

void ProductDetail::LoadProduct(int productid)
{
    settleEdits();
    m_loading = true;
    ProductTexts texts;
    // After a failed read (the data layer has said why) no product is
    // current: what is typed then would be written over a row nobody saw.
    const bool read = ProductStore::Load(productid, &texts);
    m_productid = read ? productid : 0;
    for (const ProductField f : AllProductFields) {
        box(f)->setText(texts[f]);
        box(f)->setCursorPosition(0);
        box(f)->setReadOnly(!read);
        showAsWrong(f, false);
    }
    m_shown = texts;
    refreshPicture();
    m_loading = false;
}

void ProductDetail::CreateNew()
{
    Frame1->show();
    LoadProduct(0);
}

bool ProductDetail::isCreating() const
{
    return !Frame1->isHidden();
}

void ProductDetail::boxEdited(ProductField field)
{
    if (m_loading)
        return;
    const bool number = ProductStore::ValueOf(field, box(field)->text()).has_value();
    showAsWrong(field, !number);
    if (drawsPicture(field))
        refreshPicture();
    // A new product has no row yet: its boxes are written by Save New Item.
    // A number is written when its box is left (settleEdit).
    if (ProductStore::IsNumeric(field) || m_productid == 0 || isCreating())
        return;
    if (writeBox(field)) {
        m_shown[field] = box(field)->text();
        emit ProductUpdate();
    }
}

// Writes what a box holds over what it showed; false when nothing was
// written (the product gone, said once; a failure the data layer has said).
bool ProductDetail::writeBox(ProductField field)
{
    switch (ProductStore::WriteBox(m_productid, field, box(field)->text(), m_shown[field])) {
    case ProductStore::BoxWrite::Written:
        return true;
    case ProductStore::BoxWrite::Gone:
        productGone();
        return false;
    case ProductStore::BoxWrite::NotANumber:
    case ProductStore::BoxWrite::Failed:
        return false;
    }
    return false;
}

// The edit of a numeric box ends (left, Enter, another product, closed): a
// number is written; text it cannot keep gives way to the stored value.
void ProductDetail::settleEdit(ProductField field)
{
    QLineEdit *b = box(field);
    if (!ProductStore::IsNumeric(field) || m_productid == 0 || isCreating() || b->isReadOnly())
        return;
    if (!isShownAsWrong(field)) {
        if (b->text() == m_shown[field])
            return; // nothing typed
        if (!writeBox(field))
            return; // the box keeps what was typed
        if (field == ProductField::Qoh) {
            // The difference was added: the box shows what that made.
            if (const std::optional<QVariant> stored = ProductStore::StoredValue(m_productid, field)) {
                m_loading = true;
                b->setText(ProductStore::TextOf(field, *stored));
                m_loading = false;
            }
        }
        m_shown[field] = b->text();
        emit ProductUpdate();
        return;
    }
    const TextNumber::Reading typed = ProductStore::ReadingOf(field, b->text());
    // Nothing was written during this edit: the stored value still is.
    const std::optional<QVariant> stored = ProductStore::StoredValue(m_productid, field);
    if (!stored)
        return;
    const QString back = ProductStore::TextOf(field, *stored);
    m_loading = true;
    b->setText(back);
    m_loading = false;
    m_shown[field] = back;
    showAsWrong(field, false);
    Prompts().message(QStringLiteral("%1: \"%2\" %3, so it is back to %4.")
                          .arg(ProductStore::LabelOf(field), typed.typed, typed.reason(), back.trimmed()));
}

// Deleted at another counter: said once, and the editor holds no product
// any more, so nothing typed after is written either.
void ProductDetail::productGone()
{
    const int id = m_productid;
    m_productid = 0;
    for (const ProductField f : AllProductFields)
        box(f)->setReadOnly(true);
    Prompts().message(QStringLiteral("Product %1 does not exist any more; nothing was saved.").arg(id));
}

void ProductDetail::settleEdits()
{
    for (const ProductField f : AllProductFields) {
        if (ProductStore::IsNumeric(f))
            settleEdit(f);
    }
}

bool ProductDetail::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box ends its edit; another window taking the keyboard for
    // a moment (a message, a menu) does not.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (const ProductField f : AllProductFields) {
                if (box(f) == watched)
                    settleEdit(f);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProductDetail::hideEvent(QHideEvent *event)
{
    settleEdits();
    QWidget::hideEvent(event);
}

void ProductDetail::showAsWrong(ProductField field, bool wrong)
{
    QLineEdit *b = box(field);
    if (b->property("wrong").toBool() == wrong)
        return;
    b->setProperty("wrong", wrong);
    QPalette p = b->parentWidget()->palette();
    if (wrong) {
        p.setColor(QPalette::Text, Qt::red);
        p.setColor(QPalette::Base, QColor(255, 228, 228));
    }
    b->setPalette(p);
    b->setToolTip(wrong ? QStringLiteral("Not a number: this value is not saved.") : QString());
}

bool ProductDetail::isShownAsWrong(ProductField field) const
{
    return box(field)->property("wrong").toBool();
}

void ProductDetail::refreshPicture()
{
    Picture1->setCode(
        box(ProductField::Barcode)->text(),
        ProductStore::PictureCaption(box(ProductField::ModelNumber)->text(), box(ProductField::Description)->text()));
}

ProductTexts ProductDetail::typedTexts() const
{
    ProductTexts texts;
    for (const ProductField f : AllProductFields)
        texts[f] = box(f)->text();
    return texts;
}

void ProductDetail::onSaveNew()
{
    const ProductTexts texts = typedTexts();
    if (ProductStore::IsBlank(texts)
        && !Prompts().askYesNo(QStringLiteral("Every box of the new item is empty. Save it anyway?")))
        return;
    std::optional<ProductField> bad;
    QString owner;
    const qint64 id = ProductStore::Create(texts, &bad, &owner);
    if (!owner.isEmpty()) {
        // A scan finds one product per bar code; a second would make it a guess.
        Prompts().message(QStringLiteral("Barcode / UPC \"%1\" is already on %2: the new product was not saved.")
                              .arg(texts[ProductField::Barcode].trimmed(), owner));
        box(ProductField::Barcode)->setFocus();
        return;
    }
    if (bad) {
        Prompts().message(
            QStringLiteral("%1 is not a number: the new product was not saved.").arg(ProductStore::LabelOf(*bad)));
        box(*bad)->setFocus();
        return;
    }
    if (id <= 0) {
        Prompts().message(QStringLiteral("Create new product error"));
        return;
    }
    // The product exists now: the form edits it like any other, so a
    // second press cannot insert it twice.
    Frame1->hide();
    LoadProduct(int(id));
    emit ProductCreated(int(id));
}

void ProductDetail::onCancelNew()
{
    Frame1->hide();
    emit CancelNew();
}

void ProductDetail::onPrintUpc()
{
    QString code = box(ProductField::Barcode)->text().trimmed();
    modBarCode::PrintBarcodeLabel(
        code,
        ProductStore::LabelCaption(box(ProductField::ModelNumber)->text(), box(ProductField::Description)->text()));
}
