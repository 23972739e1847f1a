#include "TestHooks.h"

#include "dialogs/frmSysSetting.h"
#include "platform/Desktop.h"

namespace velmora::test {

RecordedMessages::RecordedMessages(MessageAnswer answer) {
  SetMessageBoxHandler([this, answer](const MessageBoxRequest &request) {
    shown_.push_back(request);
    return answer;
  });
}

RecordedMessages::~RecordedMessages() { SetMessageBoxHandler({}); }

RecordedDesktop::RecordedDesktop() {
  SetDesktopHandler([this](const QUrl &url) { opened_.push_back(url); });
}

RecordedDesktop::~RecordedDesktop() { SetDesktopHandler({}); }

ChosenFile::ChosenFile(QString path) : path_(std::move(path)) {
  frmSysSetting::SetFileChooser([this](QWidget *, const QString &filter) {
    filters_.push_back(filter);
    return path_;
  });
}

ChosenFile::~ChosenFile() { frmSysSetting::SetFileChooser({}); }

}  // namespace velmora::test
