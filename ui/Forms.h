#pragma once
// The program's windows: one instance of each, created at start-up by CreateForms()
// in the order TForm1 .. TForm11 and kept until DestroyForms(); and the user's table, made
// before them and handed to each window that shows or edits it.

class TForm1;  // main window: the tool bar
class TForm2;  // table window
class TForm3;  // calculation window
class TForm4;  // new-polynomial dialog
class TForm5;  // delete dialog
class TForm6;  // change/copy dialog
class TForm7;  // save-mode warning
class TForm8;  // formula store dialog
class TForm9;  // overview window
class TForm10; // About window
class TForm11; // splash window
class TTableDocumentAdapter;

extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm6* Form6;
extern TForm7* Form7;
extern TForm8* Form8;
extern TForm9* Form9;
extern TForm10* Form10;
extern TForm11* Form11;
extern TTableDocumentAdapter* TableDocument;
