<%
// The desktop sends one SMS through the host's gateway: "OK", or the reason.
var sms = Server.CreateObject("QTR50.SMS");
sms.ImpostaPercorsoArchivi(Server.MapPath("/archivi"));
sms.InvioMessaggio();
sms.Free();
%>