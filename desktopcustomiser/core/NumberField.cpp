#include "NumberField.h"

bool NumberFieldAccepted(int left, int read, int low, int high)
{
    return left == read || (left >= low && left <= high);
}
