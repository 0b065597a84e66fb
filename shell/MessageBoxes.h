#pragma once
// The real message boxes behind the message-box seam.

#include "shell/Seams.h"

#include <QMessageBox>
#include <memory>

namespace qx {

// The boxes as they are shown, built but not yet opened (tests inspect them without exec()).
std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& text);
std::unique_ptr<QMessageBox> MakePlainBox(const QString& text);
std::unique_ptr<QMessageBox> MakeInformationBox(const QString& text);
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text);

class QtMessageBoxes : public MessageBoxes {
public:
    bool confirm(const QString& text, BoxPosition pos = std::nullopt) override;
    void plain(const QString& text, BoxPosition pos = std::nullopt) override;
    void info(const QString& text) override;
    void error(const QString& text) override;
};

}  // namespace qx
