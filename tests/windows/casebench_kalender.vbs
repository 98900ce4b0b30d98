' casebench.ocx's Kalender as the case-management system drives it, on the
' double of Outlook registered as Outlook.Application: tasks kept in step by
' the identity Outlook gives them, a contact, Outlook's main window looked
' for, and mails filed in a case through the transfer dialog, whose user
' answers from casebench_kalender.answers. The harness puts
' casebench_checks.vbs before it.

' A date as the library writes it: "dd-mm-yyyy".
Function DanishDate(when)
    DanishDate = Right("0" & Day(when), 2) & "-" & Right("0" & Month(when), 2) & "-" & Year(when)
End Function

Dim kalender, outlook
Set kalender = CreateObject("Casebench.Kalender")
CheckNoFailure "Kalender"
' The Outlook Kalender works on: the double keeps one mailbox a process, as
' Outlook keeps one a workstation.
Set outlook = CreateObject("Outlook.Application")
CheckNoFailure "Outlook"

' A task, from creation to deletion. The script file is ASCII: Danish
' letters are made with Chr (Wine's script engine lacks ChrW).
Dim id, task
id = kalender.TilOpgave("A-12", "100", "Hansen", "Lejetvist", "Svarskrift", "Frist", _
    DateSerial(2026, 12, 24), "")
Set task = outlook.Session.GetItemFromID(id)
CheckNoFailure "TilOpgave gives the task's identity"
Check "the task's subject", task.Subject, "A-12: Frist"
Check "SkiftDato", kalender.SkiftDato(id, DateSerial(2026, 12, 25) + TimeSerial(12, 0, 0)), "OK"
Check "CheckDato with a time", kalender.CheckDato(id), "25-12-2026 12:00:00"
Check "MarkerStatus done", kalender.MarkerStatus(id, True), "OK"
Check "Checkstatus of a done task", kalender.Checkstatus(id), DanishDate(Date)
Check "VisOpgave", kalender.VisOpgave(id), "OK"
Check "SletOpgave", kalender.SletOpgave(id), "OK"
Check "the task left the tasks", outlook.Session.GetDefaultFolder(13).Items.Count, 0
CheckNoFailure "the task methods"

Dim contacts
Check "TilKontakt", kalender.TilKontakt("Anna " & Chr(216), "Firma A/S", "", "", _
    Chr(197) & "rhus", "anna@firma.dk", "1", "2", "Advokat", False), "OK"
Set contacts = outlook.Session.GetDefaultFolder(10).Items
Check "the contact is saved", contacts.Count, 1
Check "the contact's address", contacts.Item(1).BusinessAddress, vbCr & Chr(197) & "rhus"

' Outlook's main window is looked for, not Outlook: the double has none.
Dim caption
caption = ""
Check "CheckOutlook", kalender.CheckOutlook(caption), False
Check "CheckOutlook names the main window in the variable", caption, "Microsoft Outlook"
CheckNoFailure "the contact and the window"

' Three mails in Deleted Items, where the double's items go by Delete; the
' user turns the folder ring back to them and transfers all three.
Dim fso, root, folder, subjects, received, record, i, mail
Set fso = CreateObject("Scripting.FileSystemObject")
root = "C:\casebench-kalender"
folder = root & "\Sag 12"
fso.CreateFolder root
fso.CreateFolder folder
subjects = Array("Dom", "Re: M" & Chr(248) & "de 12.05 - aftale", "Dom")
received = Array(DateSerial(2026, 12, 2) + TimeSerial(14, 5, 30), _
    DateSerial(2026, 12, 3) + TimeSerial(9, 15, 0), DateSerial(2026, 12, 1) + TimeSerial(8, 0, 0))
For i = 0 To 2
    Set mail = outlook.CreateItem(0)
    mail.Subject = subjects(i)
    mail.SenderName = "Jens Hansen"
    mail.To = "Anna " & Chr(216)
    mail.ReceivedTime = received(i)
    mail.Save
    mail.Delete
Next
CheckNoFailure "the mails"
Check "SaveOutlookMails", kalender.SaveOutlookMails(folder), 3

' The records in the order of the view, newest first: their fields joined
' by "|".
Dim records, fields
records = Array( _
    "Jens Hansen|Anna " & Chr(216) & "|" & subjects(1) & "|03-12-2026|09:15:00|" & _
        folder & "\ReM" & Chr(248) & "de1205aftale.msg", _
    "Jens Hansen|Anna " & Chr(216) & "|Dom|02-12-2026|14:05:30|" & folder & "\Dom.msg", _
    "Jens Hansen|Anna " & Chr(216) & "|Dom|01-12-2026|08:00:00|" & folder & "\Do1.msg")
For record = 1 To 3
    fields = Split(records(record - 1), "|")
    For i = 1 To 6
        Check "GetOlMailInfo(" & record & ", " & i & ")", kalender.GetOlMailInfo(record, i), _
            fields(i - 1)
    Next
    Check "the mail's file " & record, fso.FileExists(fields(5)), True
Next
CheckNoFailure "GetOlMailInfo"

' A filed mail's header, read from its file.
fso.CopyFile folder & "\Dom.msg", folder & "\brev.MSG"
Check "AnalyzeMail", kalender.AnalyzeMail(folder & "\brev.MSG"), True
Check "GetMailPrps", kalender.GetMailPrps(3), "Dom"
CheckNoFailure "AnalyzeMail"

Check "FlushOlMailInfo", kalender.FlushOlMailInfo(), True
Dim value
value = kalender.GetOlMailInfo(1, 3)
CheckFailure "GetOlMailInfo after FlushOlMailInfo", 9, "Subscript out of range", "Casebench"
fso.DeleteFolder root, True
CheckNoFailure "the case folder"

ReportChecks
