#include "app/list_commands.h"

#include <QAction>
#include <exception>

#include "app/bitmap_image.h"
#include "app/image_list_grid.h"
#include "app/list_host.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "compile/compile_settings.h"
#include "effects/effect_list_text.h"
#include "image/fitting.h"
#include "list/dropped_files.h"
#include "list/image_list.h"
#include "list/list_validation.h"
#include "list/natural_sort.h"
#include "loader/load_image.h"
#include "project/project_state.h"

namespace sf::app {
namespace {

constexpr int kPreviewWidth = 160;
constexpr int kPreviewHeight = 120;

// The status bars during a sort: its stop is Stop Sort or Exit, not the compile's Stop.
class SortProgress final : public ProgressObserver {
 public:
  SortProgress(ProgressObserver& bars, const bool& stop, ListHost& host) : m_bars(bars), m_stop(stop), m_host(host) {}
  void Progress(const std::string& text, int percent) override { m_bars.Progress(text, percent); }
  void ProgressText(const std::string& text) override { m_bars.ProgressText(text); }
  void Message(const std::string& text, bool remember) override { m_bars.Message(text, remember); }
  void ProcessEvents() override { m_bars.ProcessEvents(); }
  bool StopRequested() override { return m_stop || m_host.ExitRequested(); }

 private:
  ProgressObserver& m_bars;
  const bool& m_stop;
  ListHost& m_host;
};

// The busy cursor for the scope of a command.
class BusyCursor {
 public:
  explicit BusyCursor(ListHost& host) : m_host(host) { m_host.SetBusyCursor(true); }
  ~BusyCursor() { m_host.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  ListHost& m_host;
};

QString Number(int n) { return QString::number(n); }

}  // namespace

ListCommands::ListCommands(ListHost& host, OpenProject open_project)
    : m_host(host), m_open_project(std::move(open_project)) {}

ImageList& ListCommands::List() { return m_host.Grid().List(); }

void ListCommands::AddBtnClick() {
  if (m_sorting) return;
  const std::optional<ChosenFiles> chosen = m_host.ChooseImageFiles();
  if (!chosen || chosen->names.empty()) return;
  Reporter& reporter = m_host.HostReporter();
  AddResult result;
  {
    const BusyCursor busy(m_host);
    m_host.SetListBusy(true);
    try {
      result = AddImageFiles(List(), chosen->folder, chosen->names, reporter, m_host.HostProgress());
    } catch (const std::exception& failure) {
      reporter.Error(failure.what());
      reporter.Error("Error loading image files.");
      result.row_to_select = List().LastRow();
    }
    m_host.SetListBusy(false);
  }
  PicturesAdded(result.row_to_select);
}

void ListCommands::DropFiles(const std::vector<std::string>& paths) {
  if (m_sorting) return;
  const DropContext context{m_host.ProgramFolder(), m_host.OpenProjectEnabled(), m_host.IncludeAudioEnabled()};
  m_host.SetListBusy(true);
  DropResult result;
  try {
    result = sf::DropFiles(paths, context, List(), m_host.HostReporter(), m_host.HostProgress(), m_host.HostDesktop());
  } catch (const std::exception& failure) {
    m_host.HostReporter().Error(failure.what());
  }
  m_host.SetListBusy(false);
  switch (result.action) {
    case DropAction::kOpenProject:
      m_open_project(result.path);
      return;
    case DropAction::kSoundTrack:
      m_host.TakeSoundTrack(result.path);
      return;
    case DropAction::kRefused:
      return;
    case DropAction::kScanned:
      if (result.added > 0) PicturesAdded(result.row_to_select);
      return;
  }
}

void ListCommands::PicturesAdded(int row_to_select) {
  ImageListGrid& grid = m_host.Grid();
  grid.Reload();
  if (List().IsEmpty()) return;
  grid.SelectRow(row_to_select);
  ShowCounts();
  m_host.RefreshReadouts();
  StringGridClick();
  m_host.EnableListCommands(true);
  m_host.Project().PicturesAdded();
  m_host.ShowSaveItems();
}

void ListCommands::ListReplaced() {
  ImageListGrid& grid = m_host.Grid();
  grid.Reload();
  grid.SelectRow(0);
  if (List().IsEmpty()) {
    ShowEmptyList();
    return;
  }
  m_host.EnableListCommands(true);
  StringGridClick();
}

void ListCommands::ShowCounts() {
  m_host.SetTotalImagesPanel("Total Images: " + Number(List().ImageCount()));
}

void ListCommands::SortBtnClick() {
  if (!m_sorting && !List().IsEmpty()) SortRange(0, List().RowCount());
}

void ListCommands::SortSelectionBtnClick() {
  if (m_sorting || List().IsEmpty()) return;
  const ImageListGrid& grid = m_host.Grid();
  SortRange(grid.SelectionTop(), grid.SelectionBottom() + 1);
}

void ListCommands::SortRange(int from, int to) {
  ImageListGrid& grid = m_host.Grid();
  const int top = grid.SelectionTop();
  const int bottom = grid.SelectionBottom();
  const int current = grid.CurrentRow();
  {
    const BusyCursor busy(m_host);
    m_sorting = true;
    m_sort_stop = false;
    m_host.ShowSortRunning(true);
    SortProgress progress(m_host.HostProgress(), m_sort_stop, m_host);
    SortRows(List(), from, to, m_host.SortSettings(), progress);
    m_sort_stop = true;
    m_sorting = false;
    m_host.ShowSortRunning(false);
  }
  grid.Reload();
  grid.SelectRows(current == top ? bottom : top, current);
  m_host.Project().SetModified();
  LoadPreview(false);
}

void ListCommands::StopSortBtnClick() {
  m_sort_stop = true;
  m_host.ShowSortRunning(false);
}

void ListCommands::StringGridClick() {
  m_host.SetSelectedImagePanel("Selected Image: " + Number(m_host.Grid().CurrentRow() + 1));
  if (!m_host.ListBusy() && !List().IsEmpty()) {
    LoadPreview(true);
    ShowAppliedEffects();
  }
  m_host.EnableDeleteButton(!m_host.Compiling());
}

bool ListCommands::LoadPreview(bool record) {
  const int row = m_host.Grid().CurrentRow();
  if (row < 0 || row >= List().RowCount() || List().Path(row).empty()) return false;
  Reporter& reporter = m_host.HostReporter();
  const std::string path = List().Path(row);
  const CompileSettings settings = m_host.PreviewSettings();
  Bitmap picture;
  LoadImage(picture, path, reporter, {.upright = settings.upright});
  if (picture.Empty()) return false;
  if (record) m_shown = ShownPicture{path, picture.Width(), picture.Height(), PixelFormatCode(picture)};
  GetAspectedImage(picture, settings.background_picture, settings.resize_method, settings.zoom_in,
                   settings.maintain_aspect, settings.pixel_format, settings.border_size_height,
                   settings.border_size_width, kPreviewHeight, kPreviewWidth, reporter);
  m_host.ShowPreview(ToQImage(picture));
  return true;
}

void ListCommands::ShowAppliedEffects() {
  const ImageListGrid& grid = m_host.Grid();
  std::vector<std::string> cells;
  for (int r = grid.SelectionTop(); r <= grid.SelectionBottom() && r < List().RowCount(); ++r) {
    cells.push_back(List().Effects(r));
  }
  try {
    m_host.ShowAppliedEffects(AppliedEffectsSummary(cells));
  } catch (const EffectListError& failure) {
    m_host.ShowAppliedEffects({});
    m_host.HostReporter().Error(failure.what());
  }
}

void ListCommands::StringGridDblClick() {
  if (List().IsEmpty() || !LoadPreview(true)) return;
  const CompileSettings settings = m_host.PreviewSettings();
  m_host.SetFrameSize(FrameSizeWithBorder(m_shown.width, settings.border_size_width),
                      FrameSizeWithBorder(m_shown.height, settings.border_size_height));
  LoadPreview(false);  // the frame size changed the settings the preview follows
}

void ListCommands::DeleteSelection() {
  ImageListGrid& grid = m_host.Grid();
  if (List().RowCount() < 2) {
    List().Clear();
    ShowEmptyList();
    return;
  }
  const int current = List().DeleteSelection(grid.SelectionTop(), grid.SelectionBottom(), grid.CurrentRow());
  grid.Reload();
  grid.SelectRow(current);
  m_host.SetSelectedImagePanel("Selected Image: " + Number(current + 1));
  ShowCounts();
  if (List().IsEmpty()) {
    ShowEmptyList();
  } else {
    StringGridClick();
  }
}

void ListCommands::ShowEmptyList() {
  m_host.Grid().Reload();
  m_host.EnableListCommands(false);
  m_host.SetSelectedImagePanel("Selected Image: None.");
  m_host.SetTotalImagesPanel("Total Images: 0");
  m_host.ShowPreview(QImage());
}

void ListCommands::DeleteBtnClick() {
  if (m_sorting || m_host.Compiling()) return;
  DeleteSelection();
  m_host.Project().SetModified();
  m_host.RefreshReadouts();
  m_host.HostProgress().Message("Selected image files deleted from list.", true);
}

void ListCommands::ClearListBtnClick() {
  if (m_sorting || m_host.Compiling()) return;
  if (!m_host.HostReporter().Confirm("Clear entire list of pictures?")) return;
  SelectAllBtnClick();
  DeleteBtnClick();
  m_host.StartNewList();
}

void ListCommands::SelectAllBtnClick() {
  m_host.Grid().SelectAllRows();
  m_host.ShowAppliedEffects({"Applied Effects: ?"});
}

void ListCommands::ValidateListBtnClick() {
  if (m_sorting) return;
  ImageListGrid& grid = m_host.Grid();
  const ValidationContext context{m_host.ProgramFolder(), SoundTrackToCheck(m_host.AudioPath()), m_host.Compiling(), grid.CurrentRow()};
  ValidationResult result;
  {
    const BusyCursor busy(m_host);
    m_host.SetListBusy(true);
    grid.SetDrawingSuppressed(true);
    grid.SelectRow(0);
    result = ValidateList(List(), context, m_host.HostReporter(), m_host.HostProgress(), m_host.HostDesktop());
    grid.Reload();
    grid.SelectRow(result.row_to_select);
    grid.SetDrawingSuppressed(false);
    m_host.SetListBusy(false);
  }
  if (result.audio_removed) m_host.RemoveSoundTrack();
  if (result.set_modified) m_host.Project().SetModified();
  m_host.RefreshReadouts();
  // A validation that removed every row leaves the empty list behind.
  if (List().IsEmpty()) {
    ShowEmptyList();
    return;
  }
  ShowCounts();
  StringGridClick();
}

void ListCommands::ImageLocationBtnClick() {
  m_host.HostReporter().Message(PictureInfoText(m_shown, LastLoadedKindName()));
}

void ListCommands::ViewImageBtnClick() {
  if (List().IsEmpty()) return;
  const std::string path = List().Path(m_host.Grid().CurrentRow());
  Bitmap picture;
  LoadImage(picture, path, m_host.HostReporter(), {.upright = m_host.PreviewSettings().upright});
  if (!picture.Empty()) m_host.ViewPicture(ToQImage(picture), path);
}

void ListCommands::GridPopMenuPopup() {
  const bool enabled = m_host.SortListEnabled();
  const ImageListGrid& grid = m_host.Grid();
  for (QAction* action : {grid.ViewImageAction(), grid.ImageInformationAction(), grid.SortSelectionAction(),
                          grid.SelectAllAction()}) {
    action->setEnabled(enabled);
  }
}

}  // namespace sf::app
