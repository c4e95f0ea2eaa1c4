#include "server/answer.h"

#include "codec/percent.h"

namespace zicha::server {

std::string LeaksAnswer(const std::vector<Leak>& leaks) {
  if (leaks.empty()) return "好消息：在已知的数据泄露中没有找到这个邮箱地址。";
  std::string text = "这个邮箱地址出现在 " + std::to_string(leaks.size()) + " 次数据泄露中（按时间从新到旧）：";
  for (const Leak& leak : leaks) {
    text += "\r\n\r\n" + leak.date + "  " + leak.name;
    text += "\r\n泄露的数据：" + leak.dataKinds;
  }
  text += "\r\n\r\n建议尽快修改相关网站的密码，并开启两步验证。";
  return text;
}

std::string EncodeAnswer(const std::string& utf8) { return PercentEncode("\xEF\xBB\xBF" + utf8); }

}  // namespace zicha::server
