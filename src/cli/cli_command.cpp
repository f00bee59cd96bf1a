#include "cli/cli_command.h"

#include <algorithm>

namespace vantrel {

namespace {

std::string LowerCase(std::string word) {
  std::transform(word.begin(), word.end(), word.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return word;
}

}  // namespace

CliCommand ParseCommand(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return CliCommand::kUsageError;
  const std::string word = LowerCase(arguments.front());
  if (word == "preview") return CliCommand::kPreview;
  if (word == "clean") return CliCommand::kClean;
  if (word == "--help" || word == "-h" || word == "/?") return CliCommand::kHelp;
  return CliCommand::kUsageError;
}

std::string HelpText() {
  return "사용법: VantrelCli preview | clean | --help\n"
         "\n"
         "  preview  켜 둔 청소 항목마다 지울 파일 수와 크기, 캐시 항목, 레지스트리 값을\n"
         "           보여 줍니다. 아무것도 지우거나 쓰지 않습니다.\n"
         "  clean    Vantrel의 \"청소\" 단추와 똑같이 청소하고, 묻지 않습니다.\n"
         "           위험한 폴더로 꺼진 항목은 설정 파일에 저장됩니다.\n"
         "  --help   이 도움말을 보여 줍니다.\n"
         "\n"
         "설정은 이 프로그램 옆의 SetupData.Sav (Qorv.exe와 같은 파일)에서 읽습니다.\n"
         "\n"
         "끝 코드: 0 성공, 2 잘못된 명령, 3 청소할 항목 없음, 4 설정 파일을 읽을 수 없음,\n"
         "         5 설정 파일을 저장할 수 없음\n";
}

}  // namespace vantrel
