#include "app/lookup.h"

#include "codec/base64.h"
#include "codec/percent.h"
#include "http/request.h"
#include "text/text_ops.h"

#ifndef ZICHA_LOOKUP_HOST
#error "ZICHA_LOOKUP_HOST must name the lookup host"
#endif

namespace zicha {

std::string QueryEndpoint() { return std::string("http://") + ZICHA_LOOKUP_HOST + "/index.php"; }

void QueryLeak(MainWindowPort& window, std::string_view endpoint) {
  const Text address = window.EmailText();
  const Text body = TextConcat("data=", EncodeEmail(address));
  window.SetBusy(true);
  const Bytes answer = HttpRequest(endpoint, {.method = 1, .postText = body});
  window.SetBusy(false);
  Text result = PercentDecode(BytesToText(answer), true);
  result = TextReplace(result, "?", std::nullopt, std::nullopt, 1, true);
  window.SetResultText(result);
}

std::optional<bool> OnEmailKey(MainWindowPort& window, int keyCode, int /*modifiers*/, std::string_view endpoint) {
  if (keyCode != kKeyEnter) return std::nullopt;
  QueryLeak(window, endpoint);
  return true;
}

void OnQueryClick(MainWindowPort& window, std::string_view endpoint) { QueryLeak(window, endpoint); }

bool DispatchKey(MainWindowPort& window, ControlId focused, int keyCode, int modifiers, std::string_view endpoint) {
  if (keyCode == kKeyTab) {
    window.FocusControl(NextTabStop(focused, (modifiers & kModShift) ? -1 : 1));
    return false;
  }
  if (keyCode == kKeyEscape) {
    window.RequestClose();
    return false;
  }
  if (focused == ControlId::k编辑框1 && OnEmailKey(window, keyCode, modifiers, endpoint) == false) return false;
  return true;
}

}  // namespace zicha
