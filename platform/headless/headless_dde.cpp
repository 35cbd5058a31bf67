// A DDE server that takes every command and writes it down for the tests.
#include "platform/headless/headless_platform.h"

namespace zrv {
namespace {

class RecordedConversation : public DdeConversation {
 public:
  RecordedConversation(std::vector<std::string>& log, Faults& faults) : log_(log), faults_(faults) {}
  ~RecordedConversation() override { log_.push_back("disconnect"); }

  bool execute(std::string_view command) override {
    log_.emplace_back(command);
    return !faults_.hit(Op::DdeExecute);
  }

 private:
  std::vector<std::string>& log_;
  Faults& faults_;
};

}  // namespace

std::unique_ptr<DdeConversation> HeadlessPlatform::dde_connect(std::string_view service, std::string_view topic) {
  if (faults.hit(Op::DdeConnect)) return nullptr;
  dde_log.push_back("connect " + std::string(service) + "|" + std::string(topic));
  return std::make_unique<RecordedConversation>(dde_log, faults);
}

}  // namespace zrv
