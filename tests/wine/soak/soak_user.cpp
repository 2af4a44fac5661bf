#include "soak_user.h"

#include "market_texts.h"
#include "shop_file.h"
#include "standins.h"

namespace quorvane::soak {
namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;
using quorvane::testing::imClient;

// "soak" in 浙江 (soak_shops.tsv): two result pages of twenty shops; the
// last page comes first, so the grid starts with soak20 and ends with soak19.
constexpr char kKeyword[] = "soak";
constexpr int kShopCount = 40;
constexpr char kFirstRowId[] = "soak20";
constexpr char kLastRowId[] = "soak19";
// The batch window's ids: the first and last online, the middle one not.
constexpr wchar_t kBatchIds[] = L"soak00\r\nsoak02\r\nsoak03";
constexpr size_t kBatchChats = 2;
constexpr int kContactedRows = 3;

constexpr char kContactSelected[] = "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0";  // 联系选中
constexpr char kBatchContact[] = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5";     // 批量联系
constexpr char kBatchRun[] = "\xC1\xAA\xCF\xB5";                          // 联系

constexpr DWORD kSearchTimeoutMs = 60000;

std::wstring countLabelFor(int rows) {
  return ui::fromLocal("\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" + std::to_string(rows) + "/\xCC\xF5");  // 项目数：n/条
}

// What the marketplace is told to keep back for each held stop moment.
const char* heldPathPart(StopMoment moment) {
  switch (moment) {
    case StopMoment::ProbeHeld:
      return "/search?";
    case StopMoment::PresenceHeld:
      return "/muliuserstatus.aw?";
    case StopMoment::LastPageHeld:
      return "&s=0";
    case StopMoment::AfterDelay:
      break;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<SoakUser> SoakUser::launch() {
  std::unique_ptr<SoakUser> user(new SoakUser);
  if (!user->market_.running()) return nullptr;
  imClient().reset();
  ui::LaunchOptions options;
  options.files.push_back({L"data.txt", ""});
  user->app_ = ui::App::launch(options);
  if (!user->app_ || !user->setUpSearch()) return nullptr;
  for (const testing::ListedShop& shop :
       testing::listing(testing::listedShops(SHOPS_FILE), kKeyword, testing::kZhejiang))
    user->listedPresence_[ui::fromLocal(shop.nick)] = ui::fromLocal(shop.online == "1" ? kOnlineText : kOfflineText);
  return user;
}

bool SoakUser::setUpSearch() {
  window_ = app_->mainWindow();
  HWND header = ui::controlAt(window_, L"Button", -4, 1);
  HWND list = ui::controlAt(window_, L"SysListView32", 0, 53);
  HWND province = button(testing::kZhejiang.c_str());
  HWND filter = ui::controlAt(window_, L"Button", 549, 658);  // 选中过滤
  if (!header || !list || !province || !filter) return false;
  ui::click(province);
  ui::typeText(ui::keywordBox(window_), ui::fromLocal(kKeyword));
  SendMessageW(ui::controlAt(header, L"ComboBox", 92, 20), CB_SETCURSEL, 0, 0);  // every credit
  ui::click(filter);
  // One remote buffer for the whole run: the grid is read in every round,
  // and the buffer lives in the program's own memory.
  grid_ = std::make_unique<ui::RemoteGrid>(list);
  return ui::isChecked(province) && !ui::isChecked(filter);
}

HWND SoakUser::button(const char* gbkCaption) const {
  return ui::findControl(window_, L"Button", ui::fromLocal(gbkCaption));
}

bool SoakUser::searchEnabled() const { return IsWindowEnabled(button(testing::kSearchCaption.c_str())) != FALSE; }

bool SoakUser::answers() const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

AssertionResult SoakUser::clickSearch() {
  market_.forgetRequests();
  ui::click(button(testing::kSearchCaption.c_str()));
  if (searchEnabled()) return AssertionFailure() << "the search button started no search";
  return AssertionSuccess();
}

AssertionResult SoakUser::waitForRequest(const char* pathPart) const {
  const bool arrived = ui::waitUntil(
      [&] {
        for (const testing::LoggedRequest& request : market_.requests())
          if (request.line.find(pathPart) != LocalText::npos) return true;
        return false;
      },
      kSearchTimeoutMs);
  if (!arrived) return AssertionFailure() << "no request for " << pathPart << " arrived";
  return AssertionSuccess();
}

AssertionResult SoakUser::startAndStopSearch(const CycleStop& stop) {
  const char* held = heldPathPart(stop.moment);
  if (held) market_.holdAnswersTo(held);
  AssertionResult started = clickSearch();
  if (started && held) started = waitForRequest(held);
  if (!held) Sleep(stop.delayMs);
  ui::click(button(testing::kStopCaption.c_str()));
  market_.releaseAnswers();
  if (!started) return started;
  if (!searchEnabled()) return AssertionFailure() << "the stop left the search button disabled";
  return AssertionSuccess();
}

AssertionResult SoakUser::completeSearch() {
  if (AssertionResult started = clickSearch(); !started) return started;
  if (!ui::waitUntil([&] { return searchEnabled(); }, kSearchTimeoutMs))
    return AssertionFailure() << "the search did not end";
  const std::wstring count = ui::text(ui::controlAt(window_, L"Static", 444, 660));
  if (count != countLabelFor(kShopCount)) return AssertionFailure() << "the count label does not show every shop";
  if (grid_->cell(1, 2) != ui::fromLocal(kFirstRowId) || grid_->cell(kShopCount, 2) != ui::fromLocal(kLastRowId))
    return AssertionFailure() << "the grid does not hold the shops in page order";
  return presenceShownAsListed();
}

// Every row's 在线状态 is its own seller's: an answer to a stopped search's
// request must never land on a row of a later search.
AssertionResult SoakUser::presenceShownAsListed() const {
  for (int row = 1; row <= kShopCount; ++row) {
    const std::wstring id = grid_->cell(row, 2);
    const auto listed = listedPresence_.find(id);
    if (listed == listedPresence_.end()) return AssertionFailure() << "row " << row << " holds no listed shop";
    if (grid_->cell(row, 7) != listed->second)
      return AssertionFailure() << "row " << row << " shows another presence than its seller's";
  }
  return AssertionSuccess();
}

AssertionResult SoakUser::contactRound() {
  grid_->select(1, kContactedRows);
  ui::pressKey(grid_->handle(), VK_SPACE);
  for (int row = 1; row <= kContactedRows; ++row)
    if (!grid_->ticked(row)) return AssertionFailure() << "space did not tick row " << row;
  ui::click(button(kContactSelected));
  chatLaunches_ += kContactedRows;
  if (!imClient().waitForLaunches(chatLaunches_))
    return AssertionFailure() << "contacting the ticked rows launched too few chats";
  grid_->clearSelection();
  ui::settle(window_);
  for (int row = 1; row <= kContactedRows; ++row) {
    if (grid_->ticked(row)) return AssertionFailure() << "row " << row << " kept its tick";
    if (grid_->cell(row, 8) != ui::fromLocal(testing::kContacted))
      return AssertionFailure() << "row " << row << " is not marked contacted";
  }
  return AssertionSuccess();
}

HWND SoakUser::openBatchWindow() const {
  ui::click(button(kBatchContact));
  HWND batch = nullptr;
  ui::waitUntil([&] {
    batch = app_->topLevelWindow(L"QuorvaneBatchIdWindow");
    return batch && IsWindowVisible(batch);
  });
  return batch;
}

AssertionResult SoakUser::batchRound() {
  HWND batch = openBatchWindow();
  if (!batch) return AssertionFailure() << "the batch button opened no window";
  HWND ids = ui::findControl(batch, L"Edit", L"");
  SendMessageTimeoutW(ids, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kBatchIds), SMTO_ABORTIFHUNG, 5000, nullptr);
  ui::click(ui::findControl(batch, L"Button", ui::fromLocal(kBatchRun)));
  chatLaunches_ += kBatchChats;
  if (!imClient().waitForLaunches(chatLaunches_))
    return AssertionFailure() << "the batch window launched too few chats";
  PostMessageW(batch, WM_CLOSE, 0, 0);
  if (!ui::waitUntil([&] { return !IsWindow(batch); })) return AssertionFailure() << "the batch window stayed";
  return AssertionSuccess();
}

}  // namespace quorvane::soak
