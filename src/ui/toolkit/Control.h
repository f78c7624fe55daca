#pragma once
#include <functional>
#include <string>
#include <vector>

class TCanvas;
class TContainer;
class TForm;

enum class TAlign { None, Top, Bottom, Client };

// A windowless control: bounds within its parent, alignment, visibility, enabled state,
// z-order among its siblings, painting and mouse events. It registers with its parent when
// made and leaves it when destroyed; the parent does not own it.
class TControl {
public:
    explicit TControl(TContainer* parent);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    std::string Name;

    int Left() const { return m_Left; }
    int Top() const { return m_Top; }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    void SetBounds(int left, int top, int width, int height);
    void SetSize(int width, int height) { SetBounds(m_Left, m_Top, width, height); }
    void SetPosition(int left, int top) { SetBounds(left, top, m_Width, m_Height); }
    TAlign Align() const { return m_Align; }
    void SetAlign(TAlign align);

    bool Visible() const { return m_Visible; }
    void SetVisible(bool visible);
    // Visible here and in every parent up to the form.
    bool Showing() const;
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool enabled);

    TContainer* Parent() const { return m_Parent; }
    TForm* Form() const;
    // Position within the form.
    int FormLeft() const;
    int FormTop() const;
    void BringToFront();
    void SendToBack();
    void Invalidate();

    virtual void Paint(TCanvas&) {}
    // Whether a point (in the control's coordinates) belongs to the control.
    virtual bool HitTest(int x, int y) const { return x >= 0 && y >= 0 && x < m_Width && y < m_Height; }

    // Mouse handling, in the control's coordinates; the defaults fire the events.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseMove(int x, int y);
    virtual void MouseDown(int button, int x, int y);
    virtual void MouseUp(int button, int x, int y);
    virtual void DoubleClick();

    std::function<void(TControl&, int button, int x, int y)> OnMouseDown;
    std::function<void(TControl&, int button, int x, int y)> OnMouseUp;
    std::function<void(TControl&, int x, int y)> OnMouseMove;
    std::function<void(TControl&)> OnMouseEnter;
    std::function<void(TControl&)> OnMouseLeave;
    std::function<void(TControl&)> OnClick;
    std::function<void(TControl&)> OnDblClick;

protected:
    virtual void EnabledChanged() {}
    virtual void BoundsChanged() {}

private:
    friend class TContainer;
    TContainer* m_Parent;
    int m_Left = 0, m_Top = 0, m_Width = 0, m_Height = 0;
    TAlign m_Align = TAlign::None;
    bool m_Visible = true;
    bool m_Enabled = true;
};

// A control that holds others, in z-order (the last painted on top), and aligns those that
// ask for it.
class TContainer : public TControl {
public:
    explicit TContainer(TContainer* parent) : TControl(parent) {}
    ~TContainer() override;

    const std::vector<TControl*>& Children() const { return m_Children; }
    // The topmost visible, enabled control under a point of this container, descending into
    // containers; this container itself when no child is there.
    TControl* ControlAt(int x, int y);
    // Paints the visible children over the container, in z-order, each in its own viewport.
    void PaintChildren(TCanvas& canvas);
    void Realign();

protected:
    void BoundsChanged() override { Realign(); }

private:
    friend class TControl;
    std::vector<TControl*> m_Children;
};
