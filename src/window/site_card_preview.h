#pragma once

#include <memory>
#include <optional>

#include <QPrintPreviewDialog>
#include <QString>

#include "desktop/desktop.h"
#include "desktop/user_prompts.h"

class QTextDocument;

namespace v5 {

// The site card in Qt's print preview: "Печать" (the preview's own) and "Сохранить в PDF", which asks
// for a file name and writes the card there whole or not at all.
class SiteCardPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    SiteCardPreview(const QString& html, UserPrompts& prompts, const QString& proposedPdf, QWidget* parent);
    ~SiteCardPreview() override;

    // The PDF written, or nothing when the user cancelled or the write failed (told to the user).
    std::optional<QString> saveAsPdf();

private:
    std::unique_ptr<QTextDocument> document_;
    UserPrompts& prompts_;
    QString proposedPdf_;
};

// Menu "Карточка объекта…": the pane reset stores the pane left and the sweep runs, as for the
// report; then the card of the configuration with the site's names shows in the preview.
void showSiteCard(Desktop& desktop, UserPrompts& prompts, QWidget* parent);

}  // namespace v5
