// A number a page shows in an edit and checks against a range on the way out.
#pragma once

// Whether the number the user left may be taken: one still equal to what was read is kept
// whatever it is (the file or registry may hold a value another tool wrote, outside what the
// page offers, and the user is not held on the page for a field never touched); a changed one
// must lie within [low, high].
bool NumberFieldAccepted(int left, int read, int low, int high);
