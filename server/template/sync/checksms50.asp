<%
// The desktop asks for its SMS credit: "OK" and the number, or the reason.
var sms = Server.CreateObject("QTR50.SMS");
sms.ImpostaPercorsoArchivi(Server.MapPath("/archivi"));
sms.ControlloCredito();
sms.Free();
%>