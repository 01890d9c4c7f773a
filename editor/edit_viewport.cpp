#include "editor/edit_viewport.h"

#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "framework/win/wnd.h"

#include <algorithm>

using namespace corvalis::foundation;

SECEditViewport::SECEditViewport() {
    // Logical units are the window's pixels shifted by the origin.
    m_mapMode = MM_TEXT;
}

SECEditViewport::~SECEditViewport() {
    if (m_gutterBrush)
        ::DeleteObject(m_gutterBrush);
}

CPoint SECEditViewport::ScrollOrigin(int dx, int dy) {
    if (dx != 0 || dy != 0) {
        const CPoint origin = GetLogOrigin();
        SetLogOrigin(origin.x + dx, origin.y + dy);
    }
    return GetLogOrigin();
}

SECEditDisplayInfo* SECEditViewport::GetDisplayInfo() const {
    SECEditModel* model = GetEditModel();
    return model ? model->GetDisplayInfo() : nullptr;
}

SECEditModel* SECEditViewport::GetEditModel() const {
    return dynamic_cast<SECEditModel*>(m_model);
}

SECEditController* SECEditViewport::GetEditController() const {
    return dynamic_cast<SECEditController*>(m_controller);
}

SECEditLangConfig* SECEditViewport::GetLangConfig() const {
    SECEditModel* model = GetEditModel();
    return model ? model->GetLangConfig() : nullptr;
}

ISECEditPresentationState* SECEditViewport::GetPresentationState() const {
    return GetEditController();
}

int SECEditViewport::GetLineHeight() const {
    SECEditDisplayInfo* info = GetDisplayInfo();
    return info ? info->GetLineHeight() : 0;
}

int SECEditViewport::GetCharWidth() const {
    SECEditDisplayInfo* info = GetDisplayInfo();
    return info ? info->GetCharWidth() : 0;
}

SECEditColorGroup* SECEditViewport::ColourGroupOf(int index) const {
    SECEditLangConfig* config = GetLangConfig();
    if (config == nullptr)
        return nullptr;
    if (index < 0 || index >= config->GetColorGroupCount())
        index = 0;
    return config->GetColorGroup(index);
}

void SECEditViewport::ForgetModel() {
    SetModel(nullptr);
    m_longest = -1;
    if (ContainerExists()) {
        InvalidateVisual(TRUE, FALSE);
        OnLogSizeChanged(0, 0);
    }
}

BOOL SECEditViewport::ContainerExists() const {
    return m_container != NULL && ::IsWindow(m_container);
}

int SECEditViewport::OnCreate() {
    const int result = MvcViewport::OnCreate();
    if (!result)
        return result;
    HBITMAP pattern =
        ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(SECEDIT_BITMAP_GUTTER));
    if (pattern) {
        if (m_gutterBrush)
            ::DeleteObject(m_gutterBrush);
        m_gutterBrush = ::CreatePatternBrush(pattern);
        ::DeleteObject(pattern);
    }
    return result;
}

BOOL SECEditViewport::UsesController() {
    if (m_controller == nullptr)
        SetController(new SECEditController, TRUE);
    return m_controller != nullptr;
}

CSize SECEditViewport::GetVirtualSize() {
    SECEditModel* model = GetEditModel();
    SECEditDisplayInfo* info = GetDisplayInfo();
    if (model == nullptr || info == nullptr)
        return CSize(0, 0);
    const int64_t width = int64_t(GetLongestLine()) * info->GetCharWidth();
    const int64_t height = int64_t(model->GetLineCount()) * info->GetLineHeight();
    return CSize(int(std::min<int64_t>(width, INT_MAX)), int(std::min<int64_t>(height, INT_MAX)));
}

int SECEditViewport::GetLongestLine() {
    SECEditModel* model = GetEditModel();
    if (model == nullptr)
        return 0;
    if (m_longest < 0) {
        m_longest = 0;
        LinesWidthChanged(0, model->GetLineCount() - 1);
    }
    return m_longest;
}

int SECEditViewport::DisplayWidthOf(int line) {
    SECEditModel* model = GetEditModel();
    const int length = model ? model->GetLineTextLength(line) : -1;
    return length <= 0 ? 0 : model->CharToDisplayColumn(length, 0, line, nullptr);
}

void SECEditViewport::LinesWidthChanged(int first, int last) {
    SECEditModel* model = GetEditModel();
    if (m_longest < 0 || model == nullptr)
        return;
    // A character takes a tab's width at the most: a line that cannot be wider than the
    // widest is not measured.
    const SECEditLangConfig* config = model->GetLangConfig();
    const int64_t widest = config ? std::max(1, config->GetTabSize()) : 8;
    for (int line = std::max(0, first); line <= last; ++line)
        if (model->GetLineTextLength(line) * widest > m_longest)
            m_longest = std::max(m_longest, DisplayWidthOf(line));
}

CPoint SECEditViewport::SetLogOrigin(int x, int y) {
    const int cw = GetCharWidth();
    const int lh = GetLineHeight();
    if (cw > 0 && x % cw != 0)
        x -= x % cw;
    if (lh > 0 && y % lh != 0)
        y -= y % lh;
    return MvcViewport::SetLogOrigin(std::max(0, x), std::max(0, y));
}

void SECEditViewport::ConvertPoints(POINT* points, int count, bool toDevice) {
    const int sign = toDevice ? -1 : 1;
    for (int i = 0; i < count; ++i) {
        points[i].x += sign * m_logOrigin.x;
        points[i].y += sign * m_logOrigin.y;
    }
}

BOOL SECEditViewport::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (MvcViewport::OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    // Offered again only when the bounds refused it: a handler that declined must not run twice.
    CPoint point;
    MvcController* controller = m_controller;
    if (controller == nullptr || controller == GetCaptureController() ||
        !GetMousePoint(message, wParam, lParam, point) || HitTest(point))
        return FALSE;
    return controller->OnWndMsg(message, wParam, lParam, pResult);
}

void SECEditViewport::ScrollContents(int dx, int dy) {
    if (!ContainerExists() || (dx == 0 && dy == 0))
        return;
    CRect client;
    ::GetClientRect(m_container, &client);
    if (dy != 0)
        ::ScrollWindowEx(m_container, 0, dy, &client, &client, nullptr, nullptr, SW_INVALIDATE);
    if (dx != 0) {
        ISECEditPresentationState* state = GetPresentationState();
        CRect text = client;
        text.left = std::min<int>(client.right, state ? std::max(0, state->GetTextLeft()) : 0);
        ::ScrollWindowEx(m_container, dx, 0, &text, &text, nullptr, nullptr, SW_INVALIDATE);
    }
}

void SECEditViewport::InvalidateLines(int first, int last) {
    const int lh = GetLineHeight();
    if (lh <= 0 || !ContainerExists())
        return;
    CRect visible = GetLogBounds();
    const int64_t top = int64_t(std::max(0, first)) * lh;
    const int64_t bottom = last == -1 ? visible.bottom : (int64_t(std::max(first, last)) + 1) * lh;
    // Nothing outside the view is invalidated.
    const int64_t clippedTop = std::max<int64_t>(top, visible.top);
    const int64_t clippedBottom = std::min<int64_t>(bottom, visible.bottom);
    if (last != -1 && last < first)
        return;
    if (clippedTop >= clippedBottom)
        return;
    CRect rect(visible.left, int(clippedTop), visible.right, int(clippedBottom));
    RectLPtoDP(&rect);
    ::InvalidateRect(m_container, &rect, FALSE);
}

namespace {
// Runs a composite's members through the viewport's own notification handling.
class MemberVisitor : public SECEditCompositeCommand::IVisitor {
public:
    MemberVisitor(ISubject* subject, IObserver* observer)
        : m_subject(subject), m_observer(observer) {}
    void Visit(void*, CMvcCommand* member) override { m_observer->OnUpdate(m_subject, member); }

private:
    ISubject* m_subject;
    IObserver* m_observer;
};
} // namespace

void SECEditViewport::OnUpdate(ISubject* subject, IMessage* message) {
    const uint32_t hint = message ? message->GetTypeID() : 0;
    switch (hint) {
    case SECEDIT_HINT_GUTTER:
        if (ContainerExists()) {
            const int textLeft = GetPresentationState() ? GetPresentationState()->GetTextLeft() : 0;
            CRect rect(0, 0, textLeft, GetBounds().Height());
            ::InvalidateRect(m_container, &rect, FALSE);
        }
        return;
    case SECEDIT_HINT_LINES:
        if (auto* lines = dynamic_cast<SECEditLineMsg*>(message))
            InvalidateLines(lines->m_firstLine, lines->m_lastLine);
        return;
    case SECEDIT_HINT_COMPOSITE:
        if (auto* composite = dynamic_cast<SECEditCompositeCommand*>(message)) {
            MemberVisitor visitor(subject, this);
            composite->ForEach(nullptr, visitor);
        }
        return;
    default:
        break;
    }
    SECEditController* controller = GetEditController();
    if (controller == nullptr)
        return;
    // Hint 0: the caret or the selection moved (status panes follow); nothing to repaint.
    if (message != nullptr && hint == 0) {
        controller->OnUpdate(message);
        return;
    }
    if (hint != SECEDIT_HINT_COMMAND)
        m_longest = -1;
    // Only an edit compares the sizes; any other notice measures the text again anyway, once,
    // when the bars take the new size.
    const CSize sizeBefore = hint == SECEDIT_HINT_COMMAND ? GetVirtualSize() : CSize(0, 0);
    controller->OnUpdate(message);
    if (!ContainerExists()) {
        if (hint == SECEDIT_HINT_INITIALIZE)
            OnLogSizeChanged(0, 0);
        return;
    }
    if (hint == SECEDIT_HINT_INITIALIZE) {
        OnLogSizeChanged(0, 0);
        InvalidateVisual(TRUE, FALSE);
        return;
    }
    if (hint == SECEDIT_HINT_COMMAND) {
        auto* command = dynamic_cast<SECEditCommand*>(message);
        if (command == nullptr)
            return;
        const SECEditRange range = command->m_range.Normalized();
        // An insertion (or an undone deletion) brings its lines; a deletion leaves one.
        const int first = range.m_start.m_line;
        LinesWidthChanged(first, command->m_executed ? range.m_end.m_line : first);
        if (first == range.m_end.m_line) {
            SECEditLineMsg one(first, first);
            OnUpdate(subject, &one);
            // A longer longest line needs a wider horizontal bar.
            if (GetVirtualSize() != sizeBefore)
                OnLogSizeChanged(0, 0);
        } else {
            SECEditLineMsg rest(first, -1);
            OnUpdate(subject, &rest);
            OnLogSizeChanged(0, 0);
        }
        return;
    }
    InvalidateVisual(TRUE, FALSE);
    OnLogSizeChanged(0, 0);
}
