#include "report.h"

#include <ctime>

namespace reports {

namespace {
std::string LocalDateTime() {
    const std::time_t now = std::time(nullptr);
    char text[64] = {};
    if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%x %X", local);
    return text;
}
}  // namespace

Report::Report() { titleBand_.SetHeight(1000); }

void Report::SetPageSize(int width, int height) {
    pageWidth_ = width;
    pageHeight_ = height;
}

Band& Report::DetailBand() {
    if (!detailBand_) {
        detailBand_ = std::make_unique<Band>(BandKind::Detail);
        detailBand_->SetHeight(250);
    }
    return *detailBand_;
}

Label* Report::FindLabel(const std::string& name) const {
    if (auto* found = dynamic_cast<Label*>(titleBand_.Find(name))) return found;
    if (detailBand_)
        if (auto* found = dynamic_cast<Label*>(detailBand_->Find(name))) return found;
    return nullptr;
}

Label& Report::AddLabel(Band& band, const std::string& name, const std::string& caption) {
    Label& label = band.Add<Label>(name);
    label.SetFont(baseFont_);
    label.SetCaption(caption);
    return label;
}

const TextMeasurer& Report::Measurer() const {
    static const SimpleMeasurer fallback;
    return measurer_ ? *measurer_ : fallback;
}

void Report::Generate() {
    if (beforePrint) beforePrint();

    const std::string dateTime = dateTime_ ? dateTime_() : LocalDateTime();
    PageList& list = printer_.Pages();
    list = PageList{};
    list.width = pageWidth_;
    list.height = pageHeight_;
    printer_.SetJobName(title_);

    const int contentLeft = margins_.left;
    const int contentTop = margins_.top;
    const int contentWidth = pageWidth_ - margins_.left - margins_.right;
    const int contentBottom = pageHeight_ - margins_.bottom;

    list.pages.emplace_back();
    int detailNumber = 0;
    {
        EmitContext context{Measurer(), list.pages.back(), contentLeft, contentTop, contentWidth,
                            detailNumber, dateTime};
        titleBand_.Emit(context);
    }
    int columnTop = contentTop + titleBand_.Height();

    if (detailBand_ && needData) {
        const int columnWidth = (contentWidth - (columns_ - 1) * columnSpace_) / columns_;
        int column = 0;
        int y = columnTop;
        while (needData()) {
            const int height = detailBand_->Height();
            // A row that does not fit moves on; one taller than a whole column prints anyway.
            if (y + height > contentBottom && y > columnTop) {
                if (++column == columns_) {
                    column = 0;
                    list.pages.emplace_back();
                    columnTop = contentTop;
                }
                y = columnTop;
            }
            ++detailNumber;
            EmitContext context{Measurer(), list.pages.back(),
                                contentLeft + column * (columnWidth + columnSpace_), y, columnWidth,
                                detailNumber, dateTime};
            detailBand_->Emit(context);
            y += height;
        }
    }

    if (afterPrint) afterPrint();
}

bool Report::Preview() {
    Generate();
    if (!onPreview) return false;
    onPreview(printer_);
    return true;
}

TextSize SimpleMeasurer::Measure(const FontSpec& font, const std::string& text) const {
    const int em = font.sizePoints * kUnitsPerInch / 72;
    return TextSize{static_cast<int>(text.size()) * em * 6 / 10, em * 12 / 10};
}

}  // namespace reports
