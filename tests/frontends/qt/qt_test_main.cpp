// The Qt tests run without a screen: the offscreen platform unless the
// environment names another one. The application object lives for the
// whole program, as Qt wants one per process.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

namespace {

// The offscreen platform warns about window features it cannot show;
// those lines are noise in a test log.
QtMessageHandler standardHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("This plugin does not support"))) return;
  standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  standardHandler = qInstallMessageHandler(FilterMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  return RUN_ALL_TESTS();
}
