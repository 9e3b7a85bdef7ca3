// The form lifecycle the programs rely on: components built with their owner, Loaded on each
// in creation order once the form exists, then OnCreate; owners free in reverse order; no
// exception crosses a window procedure.
#include "Application.h"
#include "Form.h"
#include "Label.h"
#include "GlyphButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class Probe : public forms::Component {
public:
    Probe(forms::Component* owner, const std::string& name) : Component(owner)
    {
        SetName(name);
        g_log.push_back("create " + name + (Loading() ? " loading" : ""));
    }
    ~Probe() override { g_log.push_back("free " + Name()); }

protected:
    void Loaded() override
    {
        Component::Loaded();
        g_log.push_back("loaded " + Name());
    }
};

class TestForm : public forms::Form {
public:
    explicit TestForm(forms::Component* owner) : Form(owner)
    {
        new Probe(this, "A");
        new Probe(this, "B");
        Button = new forms::GlyphButton(this);
        Button->SetName("Button");
        Button->SetParent(this);
        Button->SetCaption("&Go");
        Button->SetBounds(10, 10, 80, 25);
        Button->OnClick = forms::Bind(this, &TestForm::ButtonClick);
        OnCreate = forms::Bind(this, &TestForm::FormCreate);
    }
    void FormCreate(forms::Component*) { g_log.push_back("FormCreate"); }
    void ButtonClick(forms::Component*)
    {
        ++clicks;
        throw forms::Exception("handler failed");
    }
    forms::GlyphButton* Button;
    int clicks = 0;
};

TEST(FormLifecycle, LoadedRunsInOrderThenOnCreateAndOwnerFreesInReverse)
{
    g_log.clear();
    TestForm* form = nullptr;
    forms::Application::Instance().CreateForm(form);
    ASSERT_NE(form, nullptr);
    std::vector<std::string> expected = {"create A loading", "create B loading", "loaded A", "loaded B",
                                         "FormCreate"};
    EXPECT_EQ(g_log, expected);
    EXPECT_FALSE(form->Loading());

    // An exception in a handler is shown by the default handler, never crosses the window
    // procedure; here the handler records it instead of showing a box.
    std::string shown;
    forms::Application::Instance().OnException = [&](forms::Component*, const std::exception& e) {
        shown = e.what();
    };
    SendMessageA(form->Button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(shown, "handler failed");

    form->Show();
    // Alt+G reaches the button through the form's accelerator dispatch.
    PostMessageA(form->Button->Handle(), WM_SYSCHAR, 'g', 1 << 29);
    forms::Application::Instance().ProcessMessages();
    EXPECT_EQ(form->clicks, 2);

    // A button covered by a later sibling no longer answers its shortcut.
    auto* cover = new forms::GlyphButton(form);
    cover->SetParent(form);
    cover->SetBounds(10, 10, 80, 25);
    cover->SetCaption("&Stop");
    PostMessageA(form->Button->Handle(), WM_SYSCHAR, 'g', 1 << 29);
    forms::Application::Instance().ProcessMessages();
    EXPECT_EQ(form->clicks, 2);
    forms::Application::Instance().OnException = nullptr;

    g_log.clear();
    form->Free();
    std::vector<std::string> freed = {"free B", "free A"};
    EXPECT_EQ(g_log, freed);
}

} // namespace
