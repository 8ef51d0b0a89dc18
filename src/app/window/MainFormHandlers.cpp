#include "window/MainForm.h"
#include "window/WindowEvents.h"

// Every edit of a letter field marks the letter modified; the numeric
// settings and the check boxes also change the page, so the preview follows.

namespace quillory::app {

void MainForm::Edit1Change()
{
    SetChanged();
}
void MainForm::Edit2Change()
{
    SetChanged();
}
void MainForm::Edit3Change()
{
    SetChanged();
}
void MainForm::Edit4Change()
{
    SetChanged();
}
void MainForm::Edit5Change()
{
    SetChanged();
}
void MainForm::Edit6Change()
{
    SetChanged();
}
void MainForm::Edit7Change()
{
    SetChanged();
}
void MainForm::Edit8Change()
{
    SetChanged();
}
void MainForm::Edit9Change()
{
    SetChanged();
}
void MainForm::Edit10Change()
{
    SetChanged();
}
void MainForm::Edit11Change()
{
    SetChanged();
}
void MainForm::Edit12Change()
{
    SetChanged();
}
void MainForm::Edit13Change()
{
    SetChanged();
}
void MainForm::Edit14Change()
{
    SetChanged();
}
void MainForm::Edit15Change()
{
    SetChanged();
}
void MainForm::Edit16Change()
{
    SetChanged();
}
void MainForm::Edit17Change()
{
    SetChanged();
}
void MainForm::Edit18Change()
{
    SetChanged();
}
void MainForm::Edit19Change()
{
    SetChanged();
}
void MainForm::Memo1Change()
{
    SetChanged();
}
void MainForm::DateEdit1Change()
{
    SetChanged();
}
void MainForm::RadioButton1Click()
{
    SetChanged();
}
void MainForm::RadioButton2Click()
{
    SetChanged();
}

void MainForm::ZoomEdChange()
{
    SetChanged();
    repaintPreview();
}

void MainForm::Layout1CheckClick()
{
    repaintPreview();
    m_events->pageSetUpChanged();
}

void MainForm::Layout2CheckClick()
{
    repaintPreview();
    m_events->pageSetUpChanged();
}

void MainForm::LetterCheckClick()
{
    SetChanged();
    repaintPreview();
}

void MainForm::Leer2CheckClick()
{
    repaintPreview();
    m_events->pageSetUpChanged();
}

} // namespace quillory::app
