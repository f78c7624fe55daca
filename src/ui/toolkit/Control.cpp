#include "ui/toolkit/Control.h"

#include <algorithm>

#include "platform/Graphics.h"
#include "ui/toolkit/Form.h"

TControl::TControl(TContainer* parent) : m_Parent(parent) {
    if (m_Parent) m_Parent->m_Children.push_back(this);
}

TControl::~TControl() {
    if (TForm* form = Form()) form->ControlGone(this);
    if (m_Parent) {
        auto& siblings = m_Parent->m_Children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == m_Left && top == m_Top && width == m_Width && height == m_Height) return;
    Invalidate();
    m_Left = left;
    m_Top = top;
    m_Width = width;
    m_Height = height;
    BoundsChanged();
    if (m_Parent && m_Align != TAlign::None) m_Parent->Realign();
    Invalidate();
}

void TControl::SetAlign(TAlign align) {
    m_Align = align;
    if (m_Parent) m_Parent->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == m_Visible) return;
    m_Visible = visible;
    if (m_Parent) m_Parent->Realign();
    Invalidate();
    if (!visible) {
        if (TForm* form = Form()) form->ControlGone(this);
    }
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->m_Parent) {
        if (!c->m_Visible) return false;
    }
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == m_Enabled) return;
    m_Enabled = enabled;
    EnabledChanged();
    Invalidate();
}

TForm* TControl::Form() const {
    const TControl* top = this;
    while (top->m_Parent) top = top->m_Parent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

int TControl::FormLeft() const {
    int x = 0;
    for (const TControl* c = this; c && c->m_Parent; c = c->m_Parent) x += c->m_Left;
    return x;
}

int TControl::FormTop() const {
    int y = 0;
    for (const TControl* c = this; c && c->m_Parent; c = c->m_Parent) y += c->m_Top;
    return y;
}

void TControl::BringToFront() {
    if (!m_Parent) return;
    auto& siblings = m_Parent->m_Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!m_Parent) return;
    auto& siblings = m_Parent->m_Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.insert(siblings.begin(), this);
    Invalidate();
}

void TControl::Invalidate() {
    if (TForm* form = Form()) {
        if (form == this) {
            form->InvalidateWindow();
        } else {
            form->InvalidateArea(FormLeft(), FormTop(), Width(), Height());
        }
    }
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}
void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}
void TControl::MouseMove(int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, x, y);
}
void TControl::MouseDown(int button, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, x, y);
}
void TControl::MouseUp(int button, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, x, y);
    // A plain control clicks on a left release inside itself.
    if (button == 0 && HitTest(x, y) && OnClick) OnClick(*this);
}
void TControl::DoubleClick() {
    if (OnDblClick) OnDblClick(*this);
}

TContainer::~TContainer() {
    for (TControl* child : m_Children) child->m_Parent = nullptr;
}

TControl* TContainer::ControlAt(int x, int y) {
    for (auto it = m_Children.rbegin(); it != m_Children.rend(); ++it) {
        TControl* child = *it;
        if (!child->Visible() || !child->Enabled()) continue;
        const int cx = x - child->Left();
        const int cy = y - child->Top();
        if (cx < 0 || cy < 0 || cx >= child->Width() || cy >= child->Height()) continue;
        if (auto* container = dynamic_cast<TContainer*>(child)) return container->ControlAt(cx, cy);
        return child;
    }
    return this;
}

void TContainer::PaintChildren(TCanvas& canvas) {
    // A copy: painting may reorder or change the children.
    const std::vector<TControl*> children = m_Children;
    for (TControl* child : children) {
        if (!child->Visible()) continue;
        canvas.SetViewport(child->FormLeft(), child->FormTop(), child->Width(), child->Height());
        child->Paint(canvas);
        if (auto* container = dynamic_cast<TContainer*>(child)) container->PaintChildren(canvas);
    }
}

void TContainer::Realign() {
    int top = 0, bottom = Height(), left = 0, right = Width();
    for (TControl* child : m_Children) {
        if (!child->Visible() || child->Align() == TAlign::None || child->Align() == TAlign::Client) continue;
        if (child->Align() == TAlign::Top) {
            child->m_Left = left;
            child->m_Top = top;
            child->m_Width = right - left;
            top += child->m_Height;
        } else {
            bottom -= child->m_Height;
            child->m_Left = left;
            child->m_Top = bottom;
            child->m_Width = right - left;
        }
        child->BoundsChanged();
    }
    for (TControl* child : m_Children) {
        if (!child->Visible() || child->Align() != TAlign::Client) continue;
        child->m_Left = left;
        child->m_Top = top;
        child->m_Width = right - left;
        child->m_Height = bottom - top > 0 ? bottom - top : 0;
        child->BoundsChanged();
    }
}
