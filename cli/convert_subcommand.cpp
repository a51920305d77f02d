#include "cli/convert_subcommand.h"

#include <iostream>
#include <utility>

#include "base/path_text.h"
#include "cli/exit_codes.h"
#include "cli/file_commands.h"

namespace userdb::cli {

ConvertSubcommand::ConvertSubcommand(std::string name, std::string description, bool checked)
    : name_(std::move(name)), description_(std::move(description)), checked_(checked) {}

CLI::App* ConvertSubcommand::AddTo(CLI::App& app) {
  CLI::App* convert = app.add_subcommand(name_, description_);
  convert->add_option("INPUT", input_, "the file to read")->required()->type_name("");
  convert->add_option("OUTPUT", output_, "the file to write")->required()->type_name("");
  AddFormatOption(*convert, inputFormat_, "--from", "INPUT's format", files::FileUse::Read);
  AddFormatOption(*convert, outputFormat_, "--to", "OUTPUT's format", files::FileUse::Write);
  AddCameraTypeOption(*convert, cameraType_);
  return convert;
}

int ConvertSubcommand::Run(const GlobalOptions& global) {
  const std::filesystem::path input = PathOfText(input_);
  const std::filesystem::path output = PathOfText(output_);
  const std::optional<formats::FileFormat> from = ChosenFormat(input, inputFormat_, files::FileUse::Read);
  const std::optional<formats::FileFormat> to = ChosenFormat(output, outputFormat_, files::FileUse::Write);
  if (!from || !to) return exit_code::kUsage;
  const Conversion conversion{input, LoadRequestOf(*from, cameraType_, checked_, global), output, *to, global.explain};
  return RunConversion(conversion, std::cout, std::cerr, global.quiet);
}

}  // namespace userdb::cli
