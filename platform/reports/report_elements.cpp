#include "report_elements.h"

#include <algorithm>

namespace reports {

void ReportElement::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TextElement::Fit(const TextMeasurer& measurer, const std::string& text) {
    if (!autoSize_) return;
    const TextSize size = measurer.Measure(font_, text);
    SetWidth(size.width);
    SetHeight(size.height);
}

std::vector<std::string> TextElement::Lines(const TextMeasurer& measurer, const std::string& text) const {
    if (!wordWrap_ || autoSize_) return {text};
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measurer.Measure(font_, longer).width > Width()) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = end + 1;
    }
    lines.push_back(line);
    return lines;
}

void TextElement::EmitText(EmitContext& context, const std::string& text) {
    Fit(context.measurer, text);
    int left = Left();
    if (alignToBand_) {
        switch (alignment_) {
        case Alignment::Left: left = 0; break;
        case Alignment::Center: left = (context.bandWidth - Width()) / 2; break;
        case Alignment::Right: left = context.bandWidth - Width(); break;
        }
    }
    const std::vector<std::string> lines = Lines(context.measurer, text);
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        TextRun run;
        run.box = Rect{context.originX + left, context.originY + Top() + Height() * i / count,
                       context.originX + left + Width(), context.originY + Top() + Height() * (i + 1) / count};
        run.font = font_;
        run.text = lines[static_cast<size_t>(i)];
        run.alignment = alignment_;
        run.clip = !autoSize_;
        context.page.items.emplace_back(std::move(run));
    }
}

void SysData::Emit(EmitContext& context) {
    switch (kind_) {
    case SysDataKind::DateTime: EmitText(context, context.dateTimeText); break;
    case SysDataKind::DetailNumber: EmitText(context, std::to_string(context.detailNumber)); break;
    }
}

void Shape::Emit(EmitContext& context) {
    const int x = context.originX + Left();
    const int y = context.originY + Top();
    switch (kind_) {
    case ShapeKind::Rectangle:
        context.page.items.emplace_back(BoxShape{Rect{x, y, x + Width(), y + Height()}, penWidth_});
        break;
    case ShapeKind::HorizontalLine:
        context.page.items.emplace_back(
            LineShape{x, y + Height() / 2, x + Width(), y + Height() / 2, penWidth_});
        break;
    case ShapeKind::VerticalLine:
        context.page.items.emplace_back(
            LineShape{x + Width() / 2, y, x + Width() / 2, y + Height(), penWidth_});
        break;
    }
}

void Band::Remove(const ReportElement& element) {
    elements_.erase(std::remove_if(elements_.begin(), elements_.end(),
                                   [&](const auto& held) { return held.get() == &element; }),
                    elements_.end());
}

ReportElement* Band::Find(const std::string& name) const {
    for (const auto& element : elements_)
        if (element->Name() == name) return element.get();
    return nullptr;
}

void Band::Emit(EmitContext& context) {
    for (const auto& element : elements_)
        if (element->Visible()) element->Emit(context);
}

}  // namespace reports
