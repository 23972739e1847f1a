#pragma once
// Message boxes of the program, behind a seam so that tests can see and
// answer them instead of a person.
#include <QString>
#include <functional>

namespace velmora {

inline const QString kProgramTitle = QStringLiteral("Velmora");

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Critical, Exclamation };
enum class MessageAnswer { Ok, Cancel };

struct MessageBoxRequest {
  QString text;
  QString title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
};

using MessageBoxHandler = std::function<MessageAnswer(const MessageBoxRequest &)>;

// Shows a modal box without owner window; returns the button pressed.
MessageAnswer ShowMessageBox(const MessageBoxRequest &request);
// Replaces the real boxes (an empty handler restores them).
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace velmora
