#include "form/version_dialog.h"

#include "form/window_texts.h"
#include "platform/program_launcher.h"
#include "platform/registry.h"
#include "platform/system_info.h"

namespace folvane::form {

namespace {

constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 0;

}  // namespace

std::string VersionText(int major, int minor, int revision) {
    return std::string(window_text::kVersionPrefix) + std::to_string(major) + '.' +
           std::to_string(minor) + '.' + std::to_string(revision);
}

std::vector<std::string> AboutDescriptionLines() {
    const std::string_view text = window_text::kAboutDescription;
    constexpr std::string_view kSpace = "\u3000";
    const std::size_t first = text.find(kSpace);
    if (first == std::string_view::npos) return {std::string(text)};
    std::size_t last = first;
    while (text.substr(last, kSpace.size()) == kSpace) last += kSpace.size();
    return {std::string(text.substr(0, first)), std::string(text.substr(last))};
}

VersionDialog::VersionDialog() : VersionDialog(SystemRegistry(), SystemLauncher()) {}

VersionDialog::VersionDialog(const Registry& registry, ProgramLauncher& launcher)
    : registry_(registry), launcher_(launcher) {}

void VersionDialog::Attach(VersionDialogView& view) {
    view_ = &view;
    Form_Load();
}

void VersionDialog::Form_Load() {
    if (view_ == nullptr) return;
    view_->SetCaption(std::string(window_text::kProductName) +
                      std::string(window_text::kVersionCaptionSuffix));
    view_->SetVersionText(VersionText(kMajor, kMinor, kRevision));
    view_->SetTitle(std::string(window_text::kProductName));
}

void VersionDialog::cmdOK_Click() {
    if (view_ != nullptr) view_->Close();
}

void VersionDialog::cmdSysInfo_Click() {
    if (StartSysInfo(registry_, launcher_) == SysInfoOutcome::Unavailable && view_ != nullptr)
        view_->ShowSystemMessage(std::string(window_text::kSysInfoUnavailable));
}

}  // namespace folvane::form
