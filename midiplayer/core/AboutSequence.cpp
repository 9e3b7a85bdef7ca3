#include "AboutSequence.h"

namespace platterly {

bool AboutSequence::Advance(Step step)
{
    switch (step) {
    case Logo: state_ = state_ == 0 ? 1 : 0; return false;
    case Name: state_ = state_ == 1 ? 2 : 0; return false;
    case Version: state_ = state_ == 2 ? 3 : 0; return false;
    case Author: state_ = state_ == 3 ? 4 : 0; return false;
    case AuthorButton:
        if (state_ == 4) {
            state_ = 5;
            return true;
        }
        state_ = 0;
        return false;
    }
    return false;
}

} // namespace platterly
