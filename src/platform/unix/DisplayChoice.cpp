#include "platform/unix/DisplayChoice.h"

#include <algorithm>

std::vector<std::string_view> DisplaySystemsToTry(std::span<const std::string_view> built,
                                                  std::string_view forced, bool waylandNamed) {
  std::vector<std::string_view> wanted;
  if (forced == "wayland" || forced == "x11") {
    wanted = {forced};
  } else if (waylandNamed) {
    wanted = {"wayland", "x11"};
  } else {
    wanted = {"x11"};
  }
  std::erase_if(wanted, [&](std::string_view name) {
    return std::find(built.begin(), built.end(), name) == built.end();
  });
  return wanted;
}
