#pragma once
// The Find, Replace and Go to Line commands of one edit window, and the one
// dialog of each kind that they share.
class QWidget;

namespace verno {

class EditControl;
class FrameServices;
class TFindDialog;
class TGotoDialog;
class TReplaceDialog;

// Created once, owned by owner (the frame); made on first use when the
// program's entry did not create them.
void CreateSearchDialogs(QWidget *owner);
TFindDialog &FindDialog(QWidget *owner);
TReplaceDialog &ReplaceDialog(QWidget *owner);
TGotoDialog &GotoDialog(QWidget *owner);

void FindClick(EditControl &memo, FrameServices &frame, QWidget *owner);
void FindReplaceClick(EditControl &memo, FrameServices &frame, QWidget *owner);
void FindLineClick(EditControl &memo, FrameServices &frame, QWidget *owner);

} // namespace verno
