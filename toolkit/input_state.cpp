#include "toolkit/input_state.h"

namespace ovek {

namespace mouse_info {
int x = 0;
int y = 0;
bool left_button_down = false;
bool right_button_down = false;
}  // namespace mouse_info

namespace key_info {
bool key_down[256] = {};
}  // namespace key_info

}  // namespace ovek
