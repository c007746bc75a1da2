#include "app/ProgrammerApp.h"

#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>

#include "app/KX200View.h"
#include "app/ToolbarIcons.h"
#include "model/Version.h"
#include "ui/UserDialogs.h"

namespace kx {

std::optional<CProgrammerApp::Options> CProgrammerApp::ParseCommandLine(
    const QStringList& arguments, QString* error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Programmer for KX400 / KX600 data radios"));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption port(
      QStringList{QStringLiteral("port")},
      QStringLiteral("Adds a serial device (a pseudo-terminal, a /dev/serial/by-id link) to the "
                     "Port menu and selects it. May be given more than once."),
      QStringLiteral("DEVICE"));
  parser.addOption(port);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("Opens a configuration as File > Load does (.dat, or a KX100 .UHF/.VHF "
                     "channel file once the model is chosen), or imports it as File > Import "
                     "does (.yaml a whole configuration, .csv the channels once the model is "
                     "chosen)."),
      QStringLiteral("[FILE]"));
  if (!parser.parse(arguments)) {
    if (error) *error = parser.errorText();
    return std::nullopt;
  }
  if (parser.isSet(help) || parser.isSet(version)) {
    const QString text =
        parser.isSet(help)
            ? parser.helpText()
            : QStringLiteral("kxprog %1\n")
                  .arg(QString::fromLatin1(version::kNumber.data(), version::kNumber.size()));
    std::fputs(text.toLocal8Bit().constData(), stdout);
    if (error) error->clear();
    return std::nullopt;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    if (error) *error = QStringLiteral("Unexpected argument: %1").arg(files[1]);
    return std::nullopt;
  }
  Options options;
  if (!files.isEmpty()) options.file = files.front();
  for (const QString& device : parser.values(port))
    options.ports.push_back(device.toStdString());
  return options;
}

CProgrammerApp::CProgrammerApp(UserDialogs& dialogs, CMainFrame::PortLister lister)
    : dialogs_(dialogs), lister_(std::move(lister)) {}

CProgrammerApp::~CProgrammerApp() = default;

CKX200View* CProgrammerApp::View() const {
  return frame_ ? frame_->View() : nullptr;
}

bool CProgrammerApp::InitInstance(const QStringList& arguments) {
  QString error;
  const auto options = ParseCommandLine(arguments, &error);
  if (!options) {
    exitCode_ = error.isEmpty() ? 0 : 2;
    if (!error.isEmpty()) std::fprintf(stderr, "kxprog: %s\n", error.toLocal8Bit().constData());
    return false;
  }
  frame_ = std::make_unique<CMainFrame>(doc_, dialogs_, lister_);
  frame_->OnCreate();
  auto* view = new CKX200View(doc_, memory_, *frame_, dialogs_);
  frame_->SetView(view);
  view->OnInitialUpdate();
  for (const auto& device : options->ports)
    frame_->OfferDevicePort(QString::fromStdString(device));
  // Before the window: the program goes on with its defaults once the technician knows.
  if (const auto problem = frame_->Settings().Problem()) dialogs_.Show(frame_.get(), *problem);
  if (!options->file.isEmpty()) view->OpenAtStart(options->file);
  frame_->showMaximized();
  return true;
}

void CProgrammerApp::OnAppAbout(QWidget* parent) {
  QDialog about(parent);
  about.setWindowTitle(QStringLiteral("About Data Radio PC Programmer"));
  auto* icon = new QLabel;
  icon->setPixmap(MakeToolPixmap(ToolIcon::Application, 64));
  auto* text = new QVBoxLayout;
  text->addWidget(
      new QLabel(QString::fromLatin1(version::kProgramLine.data(), version::kProgramLine.size())));
  text->addWidget(new QLabel(QStringLiteral("Programs KX400 and KX600 data radios, VHF and UHF")));
  text->addSpacing(8);
  text->addWidget(new QLabel(QStringLiteral("Contact us :")));
  text->addWidget(new QLabel(QStringLiteral("    your radio dealer, or")));
  text->addWidget(new QLabel(QStringLiteral("    the maker's service department")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
  auto* layout = new QGridLayout(&about);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addLayout(text, 0, 1);
  layout->addWidget(buttons, 1, 0, 1, 2);
  about.exec();
}

}  // namespace kx
