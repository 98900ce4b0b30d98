' casebench.ocx as the case-management system drives it: every class made
' by its programmatic name, members called by name, variables passed by
' reference, failures read from Err. The harness puts casebench_checks.vbs
' before it; the scripted UI answers the dialogs from casebench_suite.answers.

' Every class by its programmatic name, in any letter case. Kalender takes
' Outlook when it is made, and this workstation has none.
Dim filfunc, popUp, popUp2, supportLogin, regEdit, pdfWriter, kalender
Set filfunc = CreateObject("casebench.FILFUNC")
CheckNoFailure "Filfunc"
Set popUp = CreateObject("Casebench.PopUp")
Set popUp2 = CreateObject("CASEBENCH.popup")
CheckNoFailure "PopUp"
Set supportLogin = CreateObject("Casebench.SupportLogin")
CheckNoFailure "SupportLogin"
Set regEdit = CreateObject("Casebench.RegEdit")
CheckNoFailure "RegEdit"
Set pdfWriter = CreateObject("Casebench.PDFWriter")
CheckNoFailure "PDFWriter"
Set kalender = CreateObject("Casebench.Kalender")
CheckFailure "Kalender without Outlook", 429, "ActiveX component can't create object", ""

Check "OCXVersion", filfunc.ocxVERSION, "5.12.006 XP"

' The runtime's failures, with the number, description and source the
' library gives them. An unknown name is the script engine's own 438.
Dim value
value = popUp.GetText(1)
CheckFailure "GetText before InitText", 9, "Subscript out of range", "Casebench"
value = filfunc.Findes("x")
CheckFailure "a member the class lacks", 438, "Object doesn't support this property or method", ""
value = supportLogin.MakeURL()
CheckFailure "MakeURL", 445, "SupportLogin.MakeURL is not available in this version of Casebench", _
    "SupportLogin"
value = filfunc.OCXVersion("x")
CheckFailure "OCXVersion with an argument", 450, _
    "Wrong number of arguments or invalid property assignment", "Filfunc"

' The library's state is one for all its objects.
popUp.InitText 2
Check "the second pop-up sees the first one's lines", popUp2.GetText(2), ""
CheckNoFailure "GetText after InitText"

' The text pop-up: the user replaces the text with twelve letters, which
' come back in lines of ten. The window is made as large as it must be.
Dim readOnly, width, height
popUp.PutText 1, "Noter til sagen", 1
readOnly = 0
width = 1000
height = 1000
Check "ShowTextBox", popUp.ShowTextBox("Noter", readOnly, width, height, 10), 2
Check "ShowTextBox widens the window in the variable", width, 4000
Check "GetText 2", popUp.GetText(2), "kl"

' A case folder. Arguments are the caller's variables; (x) passes a copy.
Dim fso, root, folder, copy, answer, longName
Set fso = CreateObject("Scripting.FileSystemObject")
root = "C:\casebench-suite"
folder = root & "\Sager\12"
Check "OpretMappe", filfunc.OpretMappe(folder), "OK"
fso.CreateTextFile(folder & "\brev.txt").Close
longName = String(120, "a") & ".pdf"
fso.CreateTextFile(folder & "\" & longName).Close
copy = folder
answer = filfunc.TjekMappeOmIndhold((copy))
Check "TjekMappeOmIndhold", answer, "OK"
Check "(x) leaves the variable", copy, folder
answer = filfunc.TjekMappeOmIndhold(copy)
Check "the folder normalised in the variable", copy, folder & "\"
Dim target, name
target = root & "\Arkiv"
name = ""
filfunc.OpretMappe target
Check "Kopier", filfunc.KOPIER(folder & "\brev.txt", target, "ReadOnly", name), "OK"
Check "Kopier fills in the file name", name, "brev.txt"
Check "Kopier normalises the target", target, root & "\Arkiv\"
Check "Kontrol", filfunc.Kontrol(target & name), "ReadOnly"
Dim start
start = ""
Check "HentFil", filfunc.HentFil(start), folder & "\brev.txt"
Check "HentFil starts at the root of C:", start, "C:\"
Check "HentDir", filfunc.HentDir(root), root & "\Arkiv"
CheckNoFailure "the dialogs"
Check "GetDataSource of no Word document", filfunc.GetDataSource(folder & "\brev.txt"), ""
copy = folder
filfunc.KortFilnavn copy
Check "KortFilnavn", fso.FileExists(folder & "\" & String(90, "a") & ".pdf"), True
Check "SpecialFolderLocation", LCase(filfunc.SpecialFolderLocation("2")), _
    LCase(fso.GetSpecialFolder(2))
copy = root & "\"
Check "MappeSlet", filfunc.MappeSlet(copy), ""
Check "MappeSlet takes the final backslash off", copy, root
Check "the read-only copy went with its folder", fso.FolderExists(root), False

' No PDF writer on this workstation: the job settings stay unwritten.
Check "SetPDFPrinter", pdfWriter.SetPDFPrinter(root & "\brev.pdf"), "PDF Writer ikke installeret!"

' Danish letters cross the registry whole.
Const Key = "HKEY_CURRENT_USER\Software\Casebench suite"
Dim danish
danish = "S" & Chr(248) & "ren " & Chr(198) & "r" & Chr(248) ' the script file is ASCII
Check "WriteRegKey", regEdit.WriteRegKey(Key, "Navn", danish), True
Check "GetRegKey", regEdit.GetRegKey(Key, "Navn"), danish
Check "DeleteRegKey", regEdit.DeleteRegKey(Key), True

ReportChecks
