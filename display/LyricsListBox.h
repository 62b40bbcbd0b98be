#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "display/LineWipe.h"
#include "framework/Gdi.h"
#include "framework/ListBox.h"
#include "lyrics/model/LineList.h"
#include "lyrics/ports/Settings.h"

namespace zor {

class CLyricsPluginApp;
class CPluginWnd;

// The owner-drawn list that holds the lyric lines: the lyrics list (display mode) or the edit
// list (time-tag edit mode). It draws its items with the colours and font of its settings, keeps
// the widest item and one common item height for the layout, and is the plug-in's keyboard
// entry point: keys run commands, go to Winamp, or both.
class CLyricsListBox : public fw::CListBox, public LineList, public ListSettings {
    ZOR_MESSAGE_MAP(CLyricsListBox);

  public:
    CLyricsListBox(CLyricsPluginApp& owner, CPluginWnd& window);

    // Child of parent with the lists' style; the edit list starts hidden.
    bool createList(HWND parent, UINT id, bool visible);
    bool isLyricsList() const;
    // Empties the list and forgets the measured width and height.
    void resetList();
    // The font a line is drawn and measured with; header lines of the lyrics list are a point
    // smaller than the title and the lyrics.
    fw::Font makeLineFont(HDC dc, int index) const;
    // Measures the width of every line again, each in the font it is drawn in. A load adds the
    // header before its length is known, so its lines were measured with the previous song's
    // header length.
    void measureWidths();

    // ---- LineList ----
    void append(const std::string& text) override;
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    std::string text(int index) const override;
    int count() const override;
    int selection() const override;
    void setSelection(int index) override;
    void clear() override;
    void setRedraw(bool on) override;
    bool isVisible() const override;

    // Sets the wipes of the highlighted lines (one per word-timed line, each item once) and
    // redraws, at once, the items whose wipe changed.
    void showWipes(const std::vector<LineWipe>& next);
    const std::vector<LineWipe>& wipes() const { return wipes_; }
    // The lines drawn highlighted with the selected line (it last), while it stays selected;
    // redraws the items that change. Empty: the selection alone.
    void showSameTime(const std::vector<int>& lines);
    const std::vector<int>& sameTimeLines() const { return sameTime_; }

    CLyricsPluginApp* app;
    CPluginWnd* pluginWnd;
    Colour BKColor = 657930;  // a copy of the plug-in window's background
    // The width the list counts as its widest line before any line is wider.
    static constexpr int kLeastWidestItem = 250;
    int widestItem = kLeastWidestItem;
    int itemHeight = 0;

  protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

  private:
    LRESULT onNcCalcSize(const fw::WindowMessage& m);
    LRESULT onKeyUp(const fw::WindowMessage& m);
    LRESULT onKeyDown(const fw::WindowMessage& m);
    LRESULT onChar(const fw::WindowMessage& m);
    LRESULT onLButtonDblClk(const fw::WindowMessage& m);
    void postToHost(UINT message, const fw::WindowMessage& m) const;
    // The size of line index with the probe letters after it, in its own font.
    SIZE measureLine(HDC dc, int index) const;
    // A line wider than any before it widens the list's scroll range and widestItem.
    void noteWidth(int width);
    void redrawItem(int index);
    // Where line (as drawn, with the font selected into dc) goes in area; a line that is not
    // centred gets a leading blank.
    LineOrigin placeLine(HDC dc, std::string& line, const RECT& area) const;
    // Paints the item of line on dc at area: all of it, or only what the wipe changed.
    void paintWipe(HDC dc, const LineWipe& line, const RECT& area, bool wholeItem);
    // The wipe over index, or null when it has none.
    const LineWipe* wipeOf(int index) const;
    // Whether index is drawn highlighted as one of the lines timed like the selected one.
    bool isSameTimeLine(int index) const;
    // Whether index is the item that holds the whole group in one-line mode (never wiped).
    bool isJoinedItem(int index) const;
    // A selection moved by the user away from the group's line leaves its partners plain.
    void redrawGroupIfMoved(int before);
    // The group's lines joined, as one-line mode shows them in the selected item.
    std::string joinedSameTimeText() const;

    std::vector<int> sameTime_;
    std::vector<LineWipe> wipes_;              // the word-timed lines being sung, if any
    std::map<int, WipePainter> wipePainters_;  // by item, while it is wiped
    fw::WindowDC wipeDC_;                      // held while the same lines are wiped
};

}  // namespace zor
