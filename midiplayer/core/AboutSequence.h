// The about box's hidden sequence: logo, logo, program name, version, author line and "The
// Author" in that order; any step out of order starts it over.
#pragma once

namespace platterly {

class AboutSequence {
public:
    enum Step { Logo, Name, Version, Author, AuthorButton };
    // The state the about box sets when it is created.
    static constexpr int kInitial = 9;

    int State() const { return state_; }
    // Returns true when this step completed the sequence (the OK button changes then).
    bool Advance(Step step);
    // Whether OK shows the joke now.
    bool Complete() const { return state_ == 5; }

private:
    int state_ = kInitial;
};

} // namespace platterly
