#include "shell/MessageBoxes.h"

#include <QAbstractButton>
#include <QPushButton>

namespace qx {

namespace {

const QString ProgramTitle = QStringLiteral("ＱＸパズル");

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    auto box = std::make_unique<QMessageBox>();
    box->setIcon(icon);
    box->setWindowTitle(title);
    // Line breaks arrive as "\r\n"; a lone "\r" would show as a box in the label.
    box->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

std::unique_ptr<QMessageBox> MakeOkBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    auto box = MakeBox(icon, title, text);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

// Opens the box with its top left corner at `pos`; a parentless box that was not moved is
// centred on the screen by the dialog itself.
int Open(QMessageBox& box, BoxPosition pos)
{
    if (pos) box.move(*pos);
    return box.exec();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, QStringLiteral("確認"), text);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(cancel);
    return box;
}

std::unique_ptr<QMessageBox> MakePlainBox(const QString& text)
{
    return MakeOkBox(QMessageBox::NoIcon, ProgramTitle, text);
}

std::unique_ptr<QMessageBox> MakeInformationBox(const QString& text)
{
    return MakeOkBox(QMessageBox::Information, QStringLiteral("情報"), text);
}

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text)
{
    return MakeOkBox(QMessageBox::Critical, ProgramTitle, text);
}

bool QtMessageBoxes::confirm(const QString& text, BoxPosition pos)
{
    auto box = MakeConfirmationBox(text);
    Open(*box, pos);
    // Esc and the close box leave clickedButton() at the escape button, so only OK says yes.
    const QAbstractButton* clicked = box->clickedButton();
    return clicked && clicked == box->defaultButton();
}

void QtMessageBoxes::plain(const QString& text, BoxPosition pos)
{
    auto box = MakePlainBox(text);
    Open(*box, pos);
}

void QtMessageBoxes::info(const QString& text)
{
    auto box = MakeInformationBox(text);
    Open(*box, std::nullopt);
}

void QtMessageBoxes::error(const QString& text)
{
    auto box = MakeErrorBox(text);
    Open(*box, std::nullopt);
}

}  // namespace qx
