<%
// The offline catalogue of a CD edition: the next changed row of a table, for the customer
// and the credential the viewer posts; a plain reply.
var aggiornamento = Server.CreateObject("QTR50.Aggiornamento");
aggiornamento.ScaricaDatiCD();
aggiornamento.Free();
%>
