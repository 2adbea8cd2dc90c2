<%
// The offline catalogue of a CD edition: the next newer product photo, for the customer
// and the credential the viewer posts; a plain reply.
var aggiornamento = Server.CreateObject("QTR50.Aggiornamento");
aggiornamento.ScaricaImmagini();
aggiornamento.Free();
%>
