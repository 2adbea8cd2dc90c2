<!--#include virtual="comune.inc"-->
<%
// Another attempt at paying the Session's order by card: a new request
// password and back to the bank's page.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var indirizzoBanca = String(Request.ServerVariables("REQUEST_METHOD")) === "POST" ? String(ordine.URLValidazioneCartaCredito()) : "";
ordine.Free();
Response.Redirect(indirizzoBanca !== "" ? indirizzoBanca : "/default.asp");
%>
