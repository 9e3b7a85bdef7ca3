// What a band holds: labels, system-data fields and shapes, each placed relative to its band.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "display_list.h"

namespace reports {

// What an element needs while it is drawn into a page.
struct EmitContext {
    const TextMeasurer& measurer;
    Page& page;
    int originX;     // band's left on the page
    int originY;     // band's top on the page
    int bandWidth;
    int detailNumber;  // 1 for the first detail row of the run
    const std::string& dateTimeText;
};

class ReportElement {
public:
    explicit ReportElement(std::string name) : name_(std::move(name)) {}
    virtual ~ReportElement() = default;
    ReportElement(const ReportElement&) = delete;
    ReportElement& operator=(const ReportElement&) = delete;

    const std::string& Name() const { return name_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { left_ = left; }
    void SetTop(int top) { top_ = top; }
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    virtual void Emit(EmitContext& context) = 0;

private:
    std::string name_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 1000;
    int height_ = 200;
    bool visible_ = true;
};

// Text in a font. Auto-size makes the box fit the text when drawn; alignment to the band
// places the box left, centred or right across the band's width.
class TextElement : public ReportElement {
public:
    using ReportElement::ReportElement;

    const FontSpec& Font() const { return font_; }
    FontSpec& Font() { return font_; }
    void SetFont(const FontSpec& font) { font_ = font; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment) { alignment_ = alignment; }
    bool AlignToBand() const { return alignToBand_; }
    void SetAlignToBand(bool align) { alignToBand_ = align; }

    // A fixed-size box with word wrap breaks its text at blanks into lines as wide as the box
    // (a word wider than the box stands alone); the lines share the box's height equally.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    std::vector<std::string> Lines(const TextMeasurer& measurer, const std::string& text) const;

    // Sizes the box to the text when auto-sizing (as a refresh would).
    void Fit(const TextMeasurer& measurer, const std::string& text);

protected:
    void EmitText(EmitContext& context, const std::string& text);

private:
    FontSpec font_;
    bool autoSize_ = true;
    Alignment alignment_ = Alignment::Left;
    bool alignToBand_ = false;
    bool wordWrap_ = false;
};

class Label : public TextElement {
public:
    using TextElement::TextElement;
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    void Emit(EmitContext& context) override { EmitText(context, caption_); }

private:
    std::string caption_;
};

enum class SysDataKind { DateTime, DetailNumber };

class SysData : public TextElement {
public:
    SysData(std::string name, SysDataKind kind) : TextElement(std::move(name)), kind_(kind) {}
    SysDataKind Kind() const { return kind_; }
    void Emit(EmitContext& context) override;

private:
    SysDataKind kind_;
};

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine };

class Shape : public ReportElement {
public:
    Shape(std::string name, ShapeKind kind) : ReportElement(std::move(name)), kind_(kind) {}
    ShapeKind Kind() const { return kind_; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width) { penWidth_ = width; }
    void Emit(EmitContext& context) override;

private:
    ShapeKind kind_;
    int penWidth_ = 10;
};

enum class BandKind { Title, Detail };

// A horizontal strip of the report; it owns its elements.
class Band {
public:
    explicit Band(BandKind kind) : kind_(kind) {}
    BandKind Kind() const { return kind_; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }

    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto element = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *element;
        elements_.push_back(std::move(element));
        return ref;
    }
    // Frees an element the band holds (a measuring label, for example).
    void Remove(const ReportElement& element);
    ReportElement* Find(const std::string& name) const;
    const std::vector<std::unique_ptr<ReportElement>>& Elements() const { return elements_; }

    void Emit(EmitContext& context);

private:
    BandKind kind_;
    int height_ = 500;
    std::vector<std::unique_ptr<ReportElement>> elements_;
};

}  // namespace reports
