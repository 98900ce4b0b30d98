' Casebench from VBScript on a Windows workstation where casebench.ocx is
' registered (regsvr32 casebench.ocx): each of its classes once.
'
'     cscript casebench_example.vbs
'
' Members are called by name; arguments are the caller's variables, which a
' member may change (a folder gets its final "\"). A failure reaches the
' script in Err with the runtime's number, description and source.
Option Explicit

Dim files, folder, answer
Set files = CreateObject("Casebench.Filfunc")
WScript.Echo "Casebench " & files.OCXVersion()
folder = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2) & "\Sag 12"
WScript.Echo "OpretMappe: " & files.OpretMappe(folder)
answer = files.TjekMappeOmIndhold(folder)
WScript.Echo "TjekMappeOmIndhold wrote the folder back as " & folder & ": " & answer

' The text pop-up: the text goes in line by line, the user edits it, and the
' accepted text comes back in lines of at most 40 characters.
Dim popUp, lines, line
Set popUp = CreateObject("Casebench.PopUp")
popUp.InitText 2
popUp.PutText 1, "Moede med klienten den 12.", 1
popUp.PutText 2, "Ring tilbage om udkastet.", 0
lines = popUp.ShowTextBox("Noter", 0, 5000, 3000, 40)
For line = 1 To lines
    WScript.Echo line & ": " & popUp.GetText(line)
Next

' A registry value of the user's.
Dim registry
Set registry = CreateObject("Casebench.RegEdit")
registry.WriteRegKey "HKEY_CURRENT_USER\Software\Casebench example", "Sag", "12"
WScript.Echo "Sag: " & registry.GetRegKey("HKEY_CURRENT_USER\Software\Casebench example", "Sag")
registry.DeleteRegKey "HKEY_CURRENT_USER\Software\Casebench example"

' Outlook: Kalender takes it when it is made.
On Error Resume Next
Dim calendar
Set calendar = CreateObject("Casebench.Kalender")
If Err.Number <> 0 Then
    WScript.Echo "Kalender: " & Err.Description & " (" & Err.Number & ")"
Else
    WScript.Echo "Outlook's window is up: " & calendar.CheckOutlook()
End If
Err.Clear

' The PDF printer brackets a print job of the host's own: SetPDFPrinter
' makes it the default printer, SetStandardPrinter waits (up to two minutes)
' for the PDF and puts the previous default printer back.
Dim pdf, letter
Set pdf = CreateObject("Casebench.PDFWriter")
answer = pdf.SetPDFPrinter(folder & "\brev.pdf")
WScript.Echo "SetPDFPrinter: " & answer
If answer = "OK" Then
    letter = folder & "\brev.txt"
    CreateObject("Scripting.FileSystemObject").CreateTextFile(letter).Close
    CreateObject("Shell.Application").ShellExecute letter, "", "", "print"
    WScript.Echo "SetStandardPrinter: " & pdf.SetStandardPrinter()
End If

' SupportLogin's members are not available in this version: the failure
' says so.
Dim support
Set support = CreateObject("Casebench.SupportLogin")
support.MakeURL
WScript.Echo "SupportLogin: " & Err.Description & " (" & Err.Number & ", " & Err.Source & ")"
Err.Clear

files.MappeSlet folder
