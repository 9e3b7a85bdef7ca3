#include "report.h"

#include <algorithm>
#include <ctime>

namespace reports {

namespace {
std::string LocalDateTime() {
    const std::time_t now = std::time(nullptr);
    char text[64] = {};
    if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%x %X", local);
    return text;
}
// A title band longer than the page's content goes on over the following pages: an item lands
// on the page where its top falls, moved up by the content of the pages before, and a frame that
// runs over a page's end is drawn in parts, one on each page. Answers the last page used.
size_t SpreadOverPages(PageList& list, const Page& band, int contentTop, int contentBottom) {
    const int pageContent = contentBottom - contentTop;
    const auto pageOf = [&](int y) { return y < contentBottom ? size_t{0} : static_cast<size_t>((y - contentTop) / pageContent); };
    size_t last = 0;
    const auto place = [&](size_t page, DisplayItem item) {
        while (list.pages.size() <= page) list.pages.emplace_back();
        list.pages[page].items.push_back(std::move(item));
        last = std::max(last, page);
    };
    for (const auto& item : band.items) {
        if (const auto* run = std::get_if<TextRun>(&item)) {
            const size_t page = pageOf(run->box.top);
            TextRun moved = *run;
            moved.box.top -= static_cast<int>(page) * pageContent;
            moved.box.bottom -= static_cast<int>(page) * pageContent;
            place(page, moved);
        } else if (const auto* line = std::get_if<LineShape>(&item)) {
            const size_t page = pageOf(std::min(line->y1, line->y2));
            LineShape moved = *line;
            moved.y1 -= static_cast<int>(page) * pageContent;
            moved.y2 -= static_cast<int>(page) * pageContent;
            place(page, moved);
        } else if (const auto* box = std::get_if<BoxShape>(&item)) {
            const size_t first = pageOf(box->box.top);
            const size_t end = pageOf(std::max(box->box.top, box->box.bottom - 1));
            for (size_t page = first; page <= end; ++page) {
                const int shift = static_cast<int>(page) * pageContent;
                BoxShape part = *box;
                part.box.top = std::max(box->box.top, contentTop + shift) - shift;
                part.box.bottom = std::min(box->box.bottom, contentBottom + shift) - shift;
                place(page, part);
            }
        }
    }
    return last;
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
    Page title;
    {
        EmitContext context{Measurer(), title, contentLeft, contentTop, contentWidth, detailNumber, dateTime};
        titleBand_.Emit(context);
    }
    const int pageContent = contentBottom - contentTop;
    const size_t titlePages =
        std::max(SpreadOverPages(list, title, contentTop, contentBottom),
                 static_cast<size_t>(std::max(0, titleBand_.Height() - 1) / std::max(1, pageContent)));
    list.pages.resize(titlePages + 1);
    int columnTop = contentTop + titleBand_.Height() - static_cast<int>(titlePages) * pageContent;

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
