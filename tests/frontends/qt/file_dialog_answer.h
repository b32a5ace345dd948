#pragma once

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QString>

namespace quorvane::qt::testing {

// Chooses `path` in an open file dialog as a user typing its name would,
// and accepts it once the dialog's own event loop runs again (a question the
// accept asks, such as "already exists", is then a modal of its own).
//
// QFileDialog::selectFile moves to the file's folder but leaves the name
// field alone while that field has the keyboard focus, so as not to
// overwrite what the user is typing. The field has the focus as soon as the
// dialog's window is active, which on a busy machine it can be before the
// test reaches it: the field then stays empty, nothing is selected and the
// dialog ignores every accept. The name is therefore written into the field
// itself, which holds whatever the focus.
inline void ChooseInFileDialog(QFileDialog& dialog, const QString& path) {
  dialog.selectFile(path);
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr) << "the file dialog has no name field";
  name->setText(QFileInfo(path).fileName());
  QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
}

}  // namespace quorvane::qt::testing
